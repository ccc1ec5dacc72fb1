#pragma once

#include "calls/LiveTranscript.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// Asks the engine for one text and waits for it, for the after-call work that goes through a
// call's audio one request at a time on a thread of its own. The wait ends when the reply comes
// or when `stop` is called at shutdown, whichever is first, since a request pending at quit may
// never be answered.
class EngineWait {
  public:
    explicit EngineWait(LiveTranscript::Transcribe transcribe);
    ~EngineWait();
    EngineWait(const EngineWait&) = delete;
    EngineWait& operator=(const EngineWait&) = delete;

    // In background mode, so a dictation keeps precedence. None when the engine gave up or
    // shutdown began.
    std::optional<QString> text(const QByteArray& wav, const QString& prompt);
    void stop();
    bool stopped() const;

  private:
    struct State;
    LiveTranscript::Transcribe transcribe;
    // Shared with the replies, which may arrive after this is gone.
    std::shared_ptr<State> state;
};
