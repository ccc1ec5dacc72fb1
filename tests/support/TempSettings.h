#pragma once

#include "settings/Settings.h"

#include <QSettings>
#include <QTemporaryDir>

// A settings store of its own on an ini file in a fresh temporary folder: starts at the
// defaults, never touches the user's preferences.
struct TempSettings {
    QTemporaryDir dir;
    Settings settings{file()};

    // The settings file as another program would read it.
    std::unique_ptr<QSettings> file() const {
        return std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
    }
};
