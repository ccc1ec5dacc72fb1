#pragma once

#include <QStringList>

class DictationController;
class Mic;
class Scheduler;

// "--dictate-test wav out": a whole dictation from an audio file, fed to the microphone at four
// times real time once VOXMERE_DICTATE_AFTER seconds (3 by default) have passed, its raw and
// final text written to `out`. The application keeps running afterwards.
namespace DictateTest {
constexpr double defaultDelay = 3.0;
constexpr double tick = 0.25;
constexpr int samplesPerTick = 16000;
constexpr double stopDelay = 0.5;

// Starts the mode when the arguments ask for it and the file can be read.
void startIfAsked(const QStringList& args, DictationController& dictation, Mic& mic,
                  Scheduler& main);
} // namespace DictateTest
