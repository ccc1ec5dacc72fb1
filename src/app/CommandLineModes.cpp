#include "app/CommandLineModes.h"

#include "app/App.h"
#include "app/RenameMode.h"
#include "audio/MicListing.h"
#include "ui/AppIcon.h"

#include <QTextStream>

namespace CommandLineModes {

const QList<CommandLineMode>& table() {
    using Kind = CommandLineMode::Kind;
    static const QList<CommandLineMode> modes = {
        {"--list-mics", Kind::onItsOwn, 0, false,
         [](const QStringList&) {
             QTextStream out(stdout);
             return MicListing::print(out);
         },
         {}},
        {"--make-icon", Kind::onItsOwn, 1, true,
         [](const QStringList& args) {
             const QString file = args.at(args.indexOf("--make-icon") + 1);
             return AppIcon::render(1024).save(file, "PNG") ? 0 : 1;
         },
         {}},
        {"--dictate-test", Kind::onTheUsersData, 2, false, {},
         [](App& app, const QStringList& args) { app.dictateTest(args); }, {}},
        {"--rename", Kind::onTheUsersData, 3, false, {},
         [](App&, const QStringList& args) { RenameMode::run(args); }, &RenameMode::wanted},
    };
    return modes;
}

std::optional<CommandLineMode> find(const QStringList& args, const QList<CommandLineMode>& modes) {
    for (const CommandLineMode& mode : modes) {
        const qsizetype at = args.indexOf(mode.flag);
        if (at >= 0 && args.size() - at - 1 >= mode.values && (!mode.accepts || mode.accepts(args)))
            return mode;
    }
    return std::nullopt;
}

} // namespace CommandLineModes
