#pragma once

#include "settings/HotkeyKind.h"

#include <QString>

// One global key. Codes are the stored macOS virtual key codes.
struct KeyBinding {
    HotkeyKind mode = HotkeyKind::none;
    qint64 modKeyCode = 0;
    quint32 keyCode = 0;
    quint32 modifiers = 0;
    QString keyLabel;

    bool operator==(const KeyBinding&) const = default;

    bool isSet() const;
    QString display() const;
    bool sameKey(const KeyBinding& other) const;

    // The symbols of a classic modifier mask, always in the order control, option, shift, command.
    static QString modString(quint32 modifiers);
};
