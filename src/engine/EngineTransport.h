#pragma once

#include <QByteArray>
#include <QUrl>

#include <functional>

// How requests reach the engine. Completions arrive on a background thread, never the GUI one.
class EngineTransport {
  public:
    struct Reply {
        enum class Kind {
            answered, // the engine sent an HTTP response, whatever its status
            timedOut, // nothing came back within the time allowed
            failed    // refused, reset, or closed before a response
        };
        Kind kind = Kind::failed;
        QByteArray body;
        int status = 0; // the HTTP status of an answer
    };

    EngineTransport() = default;
    EngineTransport(const EngineTransport&) = delete;
    EngineTransport& operator=(const EngineTransport&) = delete;
    virtual ~EngineTransport() = default;

    virtual void post(const QUrl& url, const QByteArray& contentType, const QByteArray& body,
                      double timeoutSeconds, std::function<void(Reply)> done) = 0;
    // `done(true)` when any HTTP response came back for a plain GET.
    virtual void probe(const QUrl& url, double timeoutSeconds, std::function<void(bool)> done) = 0;
};
