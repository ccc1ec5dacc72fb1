#include "calls/Rms.h"

#include <cmath>

float rms(std::span<const int16_t> samples) {
    if (samples.empty())
        return 0;
    float sum = 0;
    for (int16_t s : samples) {
        const float v = float(s) / 32768.0f;
        sum += v * v;
    }
    return std::sqrt(sum / float(samples.size()));
}
