#pragma once

#include "core/Clock.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>

// A breadth-first search of a tree whose every question may be slow (the nodes live in another
// process), bounded three ways: nodes visited, children taken from one parent, and a moment on
// the clock after which no more questions are asked. An answer that had to leave part of the
// tree unvisited says so.
template <typename Node> class BoundedTreeSearch {
  public:
    struct Tree {
        std::function<bool(const Node&)> matches;
        // None when the node couldn't say.
        std::function<std::optional<int>(const Node&)> childCount;
        std::function<std::optional<Node>(const Node&, int index)> childAt;
    };
    struct Limits {
        int nodes;
        int childrenPerParent;
    };
    struct Answer {
        std::optional<Node> found;
        // False when part of the tree was left unvisited.
        bool complete = true;
    };

    BoundedTreeSearch(Tree tree, Limits limits, const Clock& clock)
        : tree(std::move(tree)), limits(limits), clock(clock) {}

    // The first match below the root (which is never one), asking nothing at or after
    // `deadline`.
    Answer run(const Node& root, double deadline) const {
        std::deque<Node> queue{root};
        Answer answer;
        int visited = 0;
        while (!queue.empty() && visited < limits.nodes && clock.now() < deadline) {
            const Node node = std::move(queue.front());
            queue.pop_front();
            if (visited++ > 0 && tree.matches(node)) {
                answer.found = node;
                return answer;
            }
            if (!enqueueChildren(node, queue, visited, deadline))
                answer.complete = false;
        }
        if (!queue.empty())
            answer.complete = false;
        return answer;
    }

  private:
    // False when children were left out; a node that fails to answer is taken as it is.
    bool enqueueChildren(const Node& node, std::deque<Node>& queue, int visited,
                         double deadline) const {
        const std::optional<int> count = tree.childCount(node);
        if (!count)
            return true;
        const int wanted = std::min(*count, limits.childrenPerParent);
        int i = 0;
        for (; i < wanted && visited + int(queue.size()) < limits.nodes; ++i) {
            if (clock.now() >= deadline)
                return false;
            std::optional<Node> child = tree.childAt(node, i);
            if (!child)
                return true;
            queue.push_back(std::move(*child));
        }
        return i == *count;
    }

    Tree tree;
    Limits limits;
    const Clock& clock;
};
