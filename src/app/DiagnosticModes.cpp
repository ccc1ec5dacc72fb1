#include "app/DiagnosticModes.h"

#include "audio/MicListing.h"

#include <QTextStream>

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

bool isListing(const QStringList& args) {
    return args.contains("--list-mics");
}

std::optional<int> runListing(const QStringList& args) {
    if (args.contains("--list-mics")) {
        QTextStream out(stdout);
        return MicListing::print(out);
    }
    return std::nullopt;
}

} // namespace DiagnosticModes
