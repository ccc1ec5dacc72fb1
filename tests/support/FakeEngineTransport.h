#pragma once

#include "engine/EngineTransport.h"

#include <deque>
#include <vector>

// An in-process engine for unit tests: keeps every request and answers them one at a time, on
// the test's own thread, when the test says how.
class FakeEngineTransport : public EngineTransport {
  public:
    struct Post {
        QUrl url;
        QByteArray contentType;
        QByteArray body;
        double timeoutSeconds;
    };
    struct Probe {
        QUrl url;
        double timeoutSeconds;
    };

    std::vector<Post> posts;
    std::vector<Probe> probes;

    void post(const QUrl& url, const QByteArray& contentType, const QByteArray& body,
              double timeoutSeconds, std::function<void(Reply)> done) override {
        posts.push_back({url, contentType, body, timeoutSeconds});
        openPosts.push_back(std::move(done));
    }

    void probe(const QUrl& url, double timeoutSeconds, std::function<void(bool)> done) override {
        probes.push_back({url, timeoutSeconds});
        openProbes.push_back(std::move(done));
    }

    size_t open() const { return openPosts.size(); }

    void answer(const QByteArray& body, int status = 200) {
        reply({Reply::Kind::answered, body, status});
    }
    void timeOut() { reply({Reply::Kind::timedOut, {}}); }
    void refuse() { reply({Reply::Kind::failed, {}}); }

    void answerProbe(bool answered) {
        auto done = std::move(openProbes.front());
        openProbes.pop_front();
        done(answered);
    }

  private:
    void reply(const Reply& reply) {
        auto done = std::move(openPosts.front());
        openPosts.pop_front();
        done(reply);
    }

    std::deque<std::function<void(Reply)>> openPosts;
    std::deque<std::function<void(bool)>> openProbes;
};
