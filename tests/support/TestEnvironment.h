#pragma once

#include <QString>

// A private home for the whole test run: HOME, XDG_DATA_HOME, XDG_CONFIG_HOME and
// XDG_CACHE_HOME all point into one temporary folder, removed when the run ends.
namespace TestEnvironment {
void isolateHome();
QString home();
// The Voxmere processes a test starts show their English texts, the ones tests look for,
// whatever the language of the machine running them.
void speakEnglish();
} // namespace TestEnvironment
