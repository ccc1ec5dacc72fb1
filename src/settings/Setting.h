#pragma once

#include "settings/SettingKey.h"

// One preference, declared once: what `Settings::changed` calls it, its name in the settings
// file, and the value it has while the file holds none (or one it can't use). Loading and setting
// both go through it, so the name is written in one place. The fallback is never written: a
// later version can change a default for everyone who never chose.
template <typename T> struct Setting {
    SettingKey key;
    const char* name;
    T fallback;
    T value = fallback;
};
