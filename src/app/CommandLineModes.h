#pragma once

#include "app/CommandLineMode.h"

#include <optional>

// Every command-line mode Voxmere has, looked up by its flag.
namespace CommandLineModes {
const QList<CommandLineMode>& table();
// The mode the arguments ask for: the first in `modes` whose flag is present with all its
// values after it.
std::optional<CommandLineMode> find(const QStringList& args,
                                    const QList<CommandLineMode>& modes = table());
// What a mode on the user's data says when another Voxmere already runs.
inline constexpr const char* alreadyRunning =
    QT_TRANSLATE_NOOP("CommandLineModes", "Voxmere is already running; quit it first");
} // namespace CommandLineModes
