#pragma once

#include "engine/EngineTransport.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class DictationGate;
class Scheduler;

// The one way to get text from the engine: posts WAV bytes to /inference and retries while the
// engine starts, stalls or answers with errors. `done` runs exactly once per call chain, on a
// background thread, with the text as received or nothing when the request is given up.
// Requests reach the engine one at a time, dictation before background work.
// Retries and replies hold the client weakly: a chain still waiting when it is destroyed (at
// quit) ends there, without `done`.
class EngineClient {
  public:
    using Done = std::function<void(std::optional<QString>)>;

    struct Options {
        int port = 8178;
        // Read on whichever thread sends a request, so it must be safe to call from any thread.
        std::function<QString()> language;
        // Asks the supervisor for a (rate-limited) restart of a stuck engine.
        std::function<void()> restartStuckServer;
    };

    EngineClient(Options options, EngineTransport& transport, DictationGate& gate,
                 Scheduler& retries);
    ~EngineClient();
    EngineClient(const EngineClient&) = delete;
    EngineClient& operator=(const EngineClient&) = delete;

    void transcribe(const QByteArray& wav, const QString& prompt, int attempt, bool background,
                    Done done);

    // 20 s plus half the audio's length: long pieces take the engine longer.
    static double timeoutFor(const QByteArray& wav);

  private:
    class Chains;
    std::shared_ptr<Chains> chains;
};
