#pragma once

#include <QList>
#include <QString>

// The modifier keys that can be a dictation key on their own, by their stored (macOS virtual)
// key code, with the device-dependent flag bit that is set while that particular key is held.
struct ModifierKey {
    qint64 code;
    QString label;
    quint32 mask;
};

namespace ModifierKeys {
const QList<ModifierKey>& all();
// Null when the code names no modifier key.
const ModifierKey* find(qint64 code);
} // namespace ModifierKeys
