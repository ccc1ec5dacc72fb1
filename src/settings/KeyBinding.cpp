#include "settings/KeyBinding.h"

#include "settings/ModifierKeys.h"

bool KeyBinding::isSet() const {
    return mode != HotkeyKind::none;
}

QString KeyBinding::display() const {
    if (mode == HotkeyKind::modifier) {
        const auto* key = ModifierKeys::find(modKeyCode);
        return key ? key->label : QStringLiteral("?");
    }
    if (mode == HotkeyKind::combo)
        return modString(modifiers) + keyLabel;
    return QStringLiteral("None");
}

bool KeyBinding::sameKey(const KeyBinding& other) const {
    if (!isSet() || mode != other.mode)
        return false;
    if (mode == HotkeyKind::modifier)
        return modKeyCode == other.modKeyCode;
    return keyCode == other.keyCode && modifiers == other.modifiers;
}

QString KeyBinding::modString(quint32 m) {
    QString s;
    if (m & 4096)
        s += QStringLiteral("⌃");
    if (m & 2048)
        s += QStringLiteral("⌥");
    if (m & 512)
        s += QStringLiteral("⇧");
    if (m & 256)
        s += QStringLiteral("⌘");
    return s;
}
