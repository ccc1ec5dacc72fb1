#include "calls/EngineWait.h"

#include <condition_variable>
#include <mutex>

struct EngineWait::State {
    std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;
};

namespace {
struct Reply {
    bool done = false;
    std::optional<QString> text;
};
} // namespace

EngineWait::EngineWait(LiveTranscript::Transcribe transcribe)
    : transcribe(std::move(transcribe)), state(std::make_shared<State>()) {}

EngineWait::~EngineWait() {
    stop();
}

std::optional<QString> EngineWait::text(const QByteArray& wav, const QString& prompt) {
    if (stopped())
        return std::nullopt;
    auto reply = std::make_shared<Reply>();
    transcribe(wav, prompt, 0, true, [state = state, reply](std::optional<QString> text) {
        std::lock_guard guard(state->lock);
        reply->text = std::move(text);
        reply->done = true;
        state->wake.notify_all();
    });
    std::unique_lock guard(state->lock);
    state->wake.wait(guard, [&] { return reply->done || state->stopping; });
    return reply->done && !state->stopping ? reply->text : std::nullopt;
}

void EngineWait::stop() {
    std::lock_guard guard(state->lock);
    state->stopping = true;
    state->wake.notify_all();
}

bool EngineWait::stopped() const {
    std::lock_guard guard(state->lock);
    return state->stopping;
}
