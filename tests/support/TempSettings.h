#pragma once

#include "settings/Settings.h"

#include <QSettings>
#include <QTemporaryDir>

// A settings store of its own on an ini file in a fresh temporary folder: starts at the
// defaults, never touches the user's preferences.
struct TempSettings {
    QTemporaryDir dir;
    Settings settings{std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat)};
};
