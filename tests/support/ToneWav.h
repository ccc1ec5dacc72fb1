#pragma once

#include "core/Wav.h"

#include <cmath>
#include <vector>

// A steady tone as WAV bytes: loud enough that an engine treats it as speech, not silence.
inline QByteArray toneWav(double seconds) {
    std::vector<int16_t> samples(size_t(seconds * 16000));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(8000 * std::sin(double(i) * 0.05));
    return Wav::bytes(samples);
}
