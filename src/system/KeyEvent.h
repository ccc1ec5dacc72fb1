#pragma once

#include <QString>

// A key-down as the key tables read it: the stored (macOS virtual) key code, the modifier flags
// in macOS bit positions (see MacFlags) and the characters the key types without modifiers.
struct KeyEvent {
    quint16 keyCode = 0;
    quint64 modifierFlags = 0;
    QString characters;
};

namespace MacFlags {
inline constexpr quint64 shift = 1ull << 17;
inline constexpr quint64 control = 1ull << 18;
inline constexpr quint64 option = 1ull << 19;
inline constexpr quint64 command = 1ull << 20;
} // namespace MacFlags
