#include "app/DiagnosticModes.h"

namespace DiagnosticModes {

bool isDiagnostic(const QStringList& args) {
    static const QStringList modes = {"--list-mics",    "--list-audio",    "--snapshot",
                                      "--make-icon",    "--speakers-test", "--voice-test",
                                      "--dictate-test", "--rename",        "--find-speakers",
                                      "--retranscribe", "--meeting-test"};
    for (const auto& arg : args)
        if (modes.contains(arg))
            return true;
    return false;
}

std::optional<int> runListing(const QStringList&) {
    return std::nullopt;
}

} // namespace DiagnosticModes
