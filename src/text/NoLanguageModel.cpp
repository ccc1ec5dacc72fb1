#include "text/NoLanguageModel.h"

#include "text/LanguageModelSession.h"

namespace {
struct NoSession : LanguageModelSession {
    void prewarm() override {}
    Reply respond(const QString&) override { return {std::nullopt, "no local language model"}; }
};
} // namespace

std::unique_ptr<LanguageModelSession> NoLanguageModel::session(const QString&) {
    return std::make_unique<NoSession>();
}
