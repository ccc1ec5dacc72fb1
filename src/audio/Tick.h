#pragma once

#include <QtGlobal>

#include <vector>

class PulseContext;

// The soft tick that tells the user the microphone is listening.
namespace Tick {
constexpr quint32 sampleRate = 48000;

// 40 ms of a quickly fading 1.8 kHz tone, mono.
std::vector<int16_t> samples();
// Plays it on the default output through this sound-server connection, without making the
// caller wait; nothing happens when no server answers. The connection must outlive the shared
// thread pool's work.
void play(PulseContext& context);
} // namespace Tick
