#include "settings/ModifierKeys.h"

namespace ModifierKeys {

const QList<ModifierKey>& all() {
    static const QList<ModifierKey> keys = {
        {61, QStringLiteral("Right ⌥"), 64},   {58, QStringLiteral("Left ⌥"), 32},
        {54, QStringLiteral("Right ⌘"), 16},   {55, QStringLiteral("Left ⌘"), 8},
        {60, QStringLiteral("Right ⇧"), 4},    {56, QStringLiteral("Left ⇧"), 2},
        {62, QStringLiteral("Right ⌃"), 8192}, {59, QStringLiteral("Left ⌃"), 1},
        {63, QStringLiteral("fn"), 8388608},
    };
    return keys;
}

const ModifierKey* find(qint64 code) {
    for (const auto& key : all())
        if (key.code == code)
            return &key;
    return nullptr;
}

} // namespace ModifierKeys
