#include "delivery/Focus.h"
#include "platform/BoundedTreeSearch.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

X11Window app(const QString& instance, const QString& className, qint64 pid = 42) {
    return {7, instance, className, pid};
}

AtspiFocus::Result focused(const QString& role, bool editable = false, bool ancestor = false) {
    return {AtspiFocus::Lookup::focused, {42, role, editable, ancestor}};
}

// Answers with `answer` and counts the questions.
struct Bus {
    AtspiFocus::Result answer;
    int asked = 0;
    std::function<AtspiFocus::Result(qint64)> ask() {
        return [this](qint64) {
            ++asked;
            return answer;
        };
    }
};

} // namespace

TEST(Focus, TrustAndAFrontmostApplicationComeFirst) {
    Bus bus{focused("text")};
    EXPECT_EQ(Focus::decide(false, app("xterm", "XTerm"), bus.ask()), FocusState::unknown)
        << "not trusted: unknown even for a terminal";
    EXPECT_EQ(Focus::decide(true, std::nullopt, bus.ask()), FocusState::unknown);
    EXPECT_EQ(bus.asked, 0);
}

TEST(Focus, TerminalsAreEditableWithoutAskingTheBus) {
    Bus bus{{AtspiFocus::Lookup::nothingFocused, {}}};
    for (const auto& w : {app("xterm", "XTerm"), app("gnome-terminal-server", "Gnome-terminal"),
                          app("Alacritty", "Alacritty"), app("kitty", "kitty")})
        EXPECT_EQ(Focus::decide(true, w, bus.ask()), FocusState::editable)
            << w.instance.toStdString();
    EXPECT_EQ(bus.asked, 0);
    EXPECT_EQ(Focus::decide(true, app("xtermish", "Xterminal"), bus.ask()), FocusState::notEditable)
        << "matched exactly, never by part of the name";
}

TEST(Focus, TheFocusedElementDecides) {
    Bus bus;
    const auto window = app("focusapp", "FocusApp");
    bus.answer = focused("text");
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable);
    bus.answer = focused("password text");
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable);
    bus.answer = focused("canvas", true);
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable) << "editable state";
    bus.answer = focused("paragraph", false, true);
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable) << "editable ancestor";
    bus.answer = focused("push button");
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::notEditable);
    bus.answer = {AtspiFocus::Lookup::nothingFocused, {}};
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::notEditable);
    bus.answer = {AtspiFocus::Lookup::noAnswer, {}};
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::unknown);
}

TEST(Focus, StatesHaveTheirNames) {
    EXPECT_EQ(focusStateName(FocusState::editable), "editable");
    EXPECT_EQ(focusStateName(FocusState::notEditable), "notEditable");
    EXPECT_EQ(focusStateName(FocusState::unknown), "unknown");
}

namespace {

// `size` nodes numbered breadth-first from the root, 0, each parent with `fanout` children.
// Asking whether a node has focus takes 1/64 s, exact in binary, so the deadline falls exactly
// on a question.
struct SlowTree {
    int fanout;
    int size;
    int focused;
    ManualScheduler clock;
    BoundedTreeSearch<int>::Tree tree() {
        return {[this](const int& n) {
                    clock.advance(1.0 / 64);
                    return n == focused;
                },
                [this](const int& n) { return std::clamp(size - (n * fanout + 1), 0, fanout); },
                [this](const int& n, int i) { return std::optional<int>(n * fanout + 1 + i); }};
    }
    BoundedTreeSearch<int>::Answer search(int nodes = 2000, int children = 500) {
        const BoundedTreeSearch<int> search(tree(), {nodes, children}, clock);
        return search.run(0, clock.now() + AtspiFocus::searchSeconds);
    }
};

} // namespace

TEST(FocusSearch, AsksNothingOnceItsTimeIsUp) {
    SlowTree sixteenth{4, 1000, 16};
    EXPECT_EQ(sixteenth.search().found, 16) << "asked at 15/64 s";
    SlowTree seventeenth{4, 1000, 17};
    const auto late = seventeenth.search();
    EXPECT_FALSE(late.found.has_value()) << "would be asked at 16/64 s, the deadline";
    EXPECT_FALSE(late.complete);
    EXPECT_EQ(seventeenth.clock.now(), 1'000'000.0 + AtspiFocus::searchSeconds);
}

TEST(FocusSearch, SaysWhetherItSawTheWholeTree) {
    SlowTree small{3, 13, -1};
    EXPECT_TRUE(small.search().complete) << "nothing has focus";
    SlowTree wide{3, 13, 12};
    const auto cut = wide.search(2000, 2);
    EXPECT_FALSE(cut.found.has_value()) << "the third child of each parent is never taken";
    EXPECT_FALSE(cut.complete);
    SlowTree big{3, 13, 12};
    EXPECT_FALSE(big.search(5, 3).complete) << "node limit";
}
