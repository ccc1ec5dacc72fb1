#pragma once

#include <QStringList>

class DictationController;
class HotKey;
class Mic;
class Scheduler;

// "--dictate-test wav out": a whole dictation from an audio file, fed to the microphone at four
// times real time once VOXMERE_DICTATE_AFTER seconds (3 by default) have passed, its raw and
// final text written to `out` instead of being delivered. The global keys are let go of until
// the recording stops, so the user's own presses can't cut it short. The application keeps
// running afterwards.
namespace DictateTest {
constexpr double defaultDelay = 3.0;
constexpr double tick = 0.25;
constexpr int samplesPerTick = 16000;
constexpr double stopDelay = 0.5;

// Starts the mode when the arguments ask for it and the file can be read.
void startIfAsked(const QStringList& args, DictationController& dictation, Mic& mic, HotKey& keys,
                  Scheduler& main);
} // namespace DictateTest
