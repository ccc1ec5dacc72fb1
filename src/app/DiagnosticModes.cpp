#include "app/DiagnosticModes.h"

#include "audio/MicListing.h"

#include <QTextStream>

namespace DiagnosticModes {

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
