#include "calls/VoiceLevel.h"

#include "calls/Rms.h"

#include <algorithm>

namespace {
constexpr size_t frame = 1600;
constexpr size_t oneSecond = 16000;
constexpr size_t remembered = 30;
constexpr float minimum = 0.008f;
} // namespace

float VoiceLevel::level(std::span<const int16_t> samples) {
    const size_t m = samples.size() / frame;
    if (m == 0)
        return 0;
    std::vector<float> frames;
    frames.reserve(m);
    for (size_t i = 0; i < m; ++i)
        frames.push_back(rms(samples.subspan(i * frame, frame)));
    std::sort(frames.begin(), frames.end());
    return frames[std::min(m - 1, size_t(double(m) * 0.9))];
}

std::optional<float> VoiceLevel::typical() const {
    if (levels.size() < 3)
        return std::nullopt;
    std::vector<float> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    return sorted[size_t(double(sorted.size() - 1) * 0.7)];
}

bool VoiceLevel::accept(std::span<const int16_t> samples) {
    const float v = level(samples);
    const std::optional<float> usual = typical();
    if (v < minimum || (usual && v < 0.3f * *usual)) {
        dropped_ += 1;
        return false;
    }
    kept_ += 1;
    // Short pieces are kept but not learnt from: their level says little about the voice.
    if (samples.size() >= oneSecond) {
        levels.push_back(v);
        if (levels.size() > remembered)
            levels.erase(levels.begin());
    }
    return true;
}

QString VoiceLevel::summary() const {
    return QString::asprintf("voice typical=%.4f kept=%d dropped=%d",
                             double(typical().value_or(-1)), kept_, dropped_);
}
