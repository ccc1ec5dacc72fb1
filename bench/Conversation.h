#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

// A made-up two-sided call for the call benchmarks: ten minutes of talk spurts on two pitches,
// played in a loop for longer calls.
namespace Conversation {

using Samples = std::vector<int16_t>;

constexpr int rate = 16000;
constexpr int chunk = 336; // about 21 ms, the sound server's fragment size
constexpr int generatedMinutes = 10;

struct Call {
    Samples farEnd;
    Samples mic;
};

struct Voice {
    double pitch;
    double loudness;
};

// One talk spurt of voiced syllables on a pitch with a few harmonics, written into `out`.
inline void speak(Samples& out, size_t at, size_t end, Voice voice, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    while (at < end) {
        const size_t length = std::min(end - at, size_t((0.12 + 0.2 * unit(random)) * rate));
        const double f0 = voice.pitch * (0.85 + 0.3 * unit(random));
        const double peak = voice.loudness * (0.4 + 0.6 * unit(random)) * 32767 / 1.75;
        for (size_t i = 0; i < length; ++i) {
            const double w = 2 * M_PI * f0 * double(i) / rate;
            const double envelope = std::sin(M_PI * double(i) / double(length));
            out[at + i] = int16_t(peak * envelope *
                                  (std::sin(w) + 0.5 * std::sin(2 * w) + 0.25 * std::sin(3 * w)));
        }
        at += length + size_t((0.03 + 0.05 * unit(random)) * rate);
    }
}

// Spurts of 1 to 10 s, mostly taking turns, pauses of 0.3 to 2 s. The far side (200 Hz) leaks
// into the microphone (120 Hz) 50 ms late at 15 %, over a little room noise.
inline Call generate() {
    std::mt19937 random(1);
    std::uniform_real_distribution<double> unit(0, 1);
    const size_t length = size_t(generatedMinutes) * 60 * rate;
    Call c{Samples(length), Samples(length)};
    const Voice them{200, 0.3};
    const Voice you{120, 0.35};
    bool farTalks = true;
    for (size_t at = 0; at < length;) {
        const size_t end = std::min(length, at + size_t((1 + 9 * unit(random)) * rate));
        speak(farTalks ? c.farEnd : c.mic, at, end, farTalks ? them : you, random);
        at = end + size_t((0.3 + 1.7 * unit(random)) * rate);
        if (unit(random) < 0.8)
            farTalks = !farTalks;
    }
    std::normal_distribution<double> hiss(0, 0.001 * 32768);
    for (size_t i = 0; i < length; ++i) {
        const double bleed = i >= 800 ? 0.15 * c.farEnd[i - 800] : 0;
        c.mic[i] = int16_t(std::clamp(c.mic[i] + bleed + hiss(random), -32768.0, 32767.0));
    }
    return c;
}

inline const Call& shared() {
    static const Call sides = generate();
    return sides;
}

} // namespace Conversation
