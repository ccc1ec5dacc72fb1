#include "app/CommandLineModes.h"

#include "audio/MicListing.h"

#include <QTextStream>

namespace CommandLineModes {

const QList<CommandLineMode>& table() {
    using Kind = CommandLineMode::Kind;
    static const QList<CommandLineMode> modes = {
        {"--list-mics", Kind::onItsOwn, false,
         [](const QStringList&) {
             QTextStream out(stdout);
             return MicListing::print(out);
         },
         {}},
    };
    return modes;
}

std::optional<CommandLineMode> find(const QStringList& args) {
    for (const CommandLineMode& mode : table())
        if (args.contains(mode.flag))
            return mode;
    return std::nullopt;
}

} // namespace CommandLineModes
