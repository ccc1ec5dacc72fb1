#include "calls/EchoGate.h"

#include "calls/Rms.h"

#include <algorithm>

namespace {
constexpr size_t heldFrames = 3;
constexpr size_t farEndHistory = 30;
constexpr size_t learningFrames = 15;
constexpr float farEndSilent = 0.004f;
} // namespace

EchoGate::EchoGate(const Clock& clock) : clock(clock) {}

void EchoGate::heard(float rms) {
    them.push_back({rms, clock.now()});
    if (them.size() > farEndHistory)
        them.pop_front();
}

std::vector<int16_t> EchoGate::filter(std::span<const int16_t> samples) {
    pending.insert(pending.end(), samples.begin(), samples.end());
    std::vector<int16_t> out;
    size_t used = 0;
    while (pending.size() - used >= size_t(frame)) {
        const auto f = std::span<const int16_t>(pending).subspan(used, frame);
        used += frame;
        held.push_back({{f.begin(), f.end()}, rms(f), clock.now()});
        if (held.size() > heldFrames) {
            decide(held.front(), out);
            held.pop_front();
        }
    }
    pending.erase(pending.begin(), pending.begin() + used);
    return out;
}

float EchoGate::loudestFarEndAround(double at) const {
    // The far end's audio reaches the speaker and the microphone with some delay either way, so
    // look a little before and after the microphone frame.
    float loudest = 0;
    for (const Heard& h : them)
        if (h.at > at - 0.5 && h.at < at + 0.3)
            loudest = std::max(loudest, h.rms);
    return loudest;
}

void EchoGate::learn(float ratio) {
    boot.push_back(ratio);
    if (boot.size() < learningFrames)
        return;
    std::vector<float> sorted = boot;
    std::nth_element(sorted.begin(), sorted.begin() + 7, sorted.end());
    leak_ = sorted[7];
}

void EchoGate::decide(const Held& f, std::vector<int16_t>& out) {
    total_ += 1;
    const float e = loudestFarEndAround(f.at);
    const float m = f.rms;
    bool bleed = false;
    if (e > farEndSilent) {
        const float ratio = m / e;
        if (!leak_) {
            learn(ratio);
        } else {
            const float l = *leak_;
            // A much higher ratio means the user talks over the far end: not a sample of the leak.
            if (ratio < 4.0f * l)
                leak_ = l + (ratio - l) * 0.05f;
            bleed = m < e * l * 2.5f;
        }
    }
    if (bleed) {
        gated_ += 1;
        out.insert(out.end(), f.samples.size(), 0);
    } else {
        out.insert(out.end(), f.samples.begin(), f.samples.end());
    }
}

QString EchoGate::summary() const {
    return QString::asprintf("gate leak=%.3f silenced=%d/%d frames", double(leak_.value_or(-1)),
                             gated_, total_);
}
