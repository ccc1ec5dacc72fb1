#include "audio/Tick.h"

#include "core/Dispatch.h"
#include "platform/PulseContext.h"
#include "platform/PulsePlayback.h"

#include <cmath>
#include <numbers>

namespace Tick {

std::vector<int16_t> samples() {
    constexpr double seconds = 0.04, pitch = 1800, peak = 0.35;
    // A millisecond's rise keeps the tick from clicking; the fast fall keeps it soft.
    constexpr double rise = 0.001, fall = 0.008;
    std::vector<int16_t> out(size_t(seconds * sampleRate));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / sampleRate;
        const double envelope = std::min(1.0, t / rise) * std::exp(-t / fall);
        out[i] = int16_t(
            std::lround(peak * 32767 * envelope * std::sin(2 * std::numbers::pi * pitch * t)));
    }
    return out;
}

void play(PulseContext& context) {
    onGlobal([&context] {
        PulsePlayback::play(context, samples(), sampleRate, QStringLiteral("Start sound"));
    });
}

} // namespace Tick
