#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <mutex>
#include <optional>

// Stands in for the engine client's transcribe: keeps each request until the test answers it.
class FakeTranscriber {
  public:
    struct Request {
        QByteArray wav;
        QString prompt;
        bool background;
        std::function<void(std::optional<QString>)> done;
    };

    auto function() {
        return [this](const QByteArray& wav, const QString& prompt, int, bool background,
                      std::function<void(std::optional<QString>)> done) {
            std::lock_guard guard(lock);
            open.push_back({wav, prompt, background, std::move(done)});
            ++count;
        };
    }

    size_t waiting() const {
        std::lock_guard guard(lock);
        return open.size();
    }
    int requests() const {
        std::lock_guard guard(lock);
        return count;
    }
    QString prompt() const {
        std::lock_guard guard(lock);
        return open.front().prompt;
    }
    size_t samples() const {
        std::lock_guard guard(lock);
        return size_t(open.front().wav.size() - 44) / 2;
    }
    // Answers the oldest request (nothing = a request given up).
    void answer(std::optional<QString> text) {
        Request r;
        {
            std::lock_guard guard(lock);
            r = std::move(open.front());
            open.pop_front();
        }
        r.done(std::move(text));
    }

  private:
    mutable std::mutex lock;
    std::deque<Request> open;
    int count = 0;
};
