#pragma once

#include <QString>

// One global key: a modifier pressed alone ("modifier"), an ordinary key with modifiers
// ("combo"), or no key (any other mode). Codes are the stored macOS virtual key codes.
struct KeyBinding {
    QString mode;
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
