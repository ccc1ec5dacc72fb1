#include "system/KeyTables.h"

const QMap<quint16, QString>& fKeys() {
    static const QMap<quint16, QString> keys = {
        {122, "F1"},  {120, "F2"},  {99, "F3"},   {118, "F4"},  {96, "F5"},
        {97, "F6"},   {98, "F7"},   {100, "F8"},  {101, "F9"},  {109, "F10"},
        {103, "F11"}, {111, "F12"}, {105, "F13"}, {107, "F14"}, {113, "F15"},
        {106, "F16"}, {64, "F17"},  {79, "F18"},  {80, "F19"},
    };
    return keys;
}

const QMap<quint16, QString>& namedKeys() {
    static const QMap<quint16, QString> keys = {
        {49, "Space"},       {36, "Return"},      {48, "Tab"},
        {51, "Delete"},      {123, QString("←")}, {124, QString("→")},
        {125, QString("↓")}, {126, QString("↑")}, {50, "`"},
    };
    return keys;
}

const QList<ModifierKey>& modifierKeys() {
    return ModifierKeys::all();
}

QString keyName(const KeyEvent& event) {
    if (auto it = fKeys().find(event.keyCode); it != fKeys().end())
        return *it;
    if (auto it = namedKeys().find(event.keyCode); it != namedKeys().end())
        return *it;
    return event.characters.isEmpty() ? QStringLiteral("?") : event.characters.toUpper();
}

quint32 carbonMods(quint64 flags) {
    quint32 mods = 0;
    if (flags & MacFlags::command)
        mods |= CarbonMods::command;
    if (flags & MacFlags::shift)
        mods |= CarbonMods::shift;
    if (flags & MacFlags::option)
        mods |= CarbonMods::option;
    if (flags & MacFlags::control)
        mods |= CarbonMods::control;
    return mods;
}
