#pragma once

#include "settings/ModifierKeys.h"
#include "system/KeyEvent.h"

#include <QMap>
#include <QString>

// Labels of the keys that bindings name, by stored key code.
const QMap<quint16, QString>& fKeys();
const QMap<quint16, QString>& namedKeys();
const QList<ModifierKey>& modifierKeys();

// The label of a key-down: the F-key or named-key label, else its characters upper-cased,
// "?" when it types nothing.
QString keyName(const KeyEvent& event);

// The classic modifier mask stored in a combo binding: command 256, shift 512, option 2048,
// control 4096.
quint32 carbonMods(quint64 flags);

namespace CarbonMods {
inline constexpr quint32 command = 256;
inline constexpr quint32 shift = 512;
inline constexpr quint32 option = 2048;
inline constexpr quint32 control = 4096;
} // namespace CarbonMods
