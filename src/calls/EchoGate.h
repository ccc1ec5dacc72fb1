#pragma once

#include "core/Clock.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

// Silences the microphone's 100 ms frames whose level the far end's level explains: speaker
// bleed of the other side into the user's microphone. Learns per call how strongly the far end
// leaks in, and decides each frame three frames late so the far-end levels around it are known.
// A frame is either passed unchanged or replaced by zeros of the same length. Not safe for
// concurrent use; `heard` and `filter` must be stamped by the same clock.
class EchoGate {
  public:
    static constexpr int frame = 1600;

    explicit EchoGate(const Clock& clock = Clock::system());

    // One far-end frame level, stamped now.
    void heard(float rms);
    // Takes microphone samples and returns the whole frames decided so far, in order.
    std::vector<int16_t> filter(std::span<const int16_t> samples);
    QString summary() const;

    std::optional<float> leak() const { return leak_; }
    int gated() const { return gated_; }
    int total() const { return total_; }

  private:
    struct Held {
        std::vector<int16_t> samples;
        float rms;
        double at;
    };
    struct Heard {
        float rms;
        double at;
    };

    // Appends the held frame's decision to `out`.
    void decide(const Held& held, std::vector<int16_t>& out);
    float loudestFarEndAround(double at) const;
    void learn(float ratio);

    const Clock& clock;
    std::vector<int16_t> pending;
    std::deque<Held> held;
    std::deque<Heard> them;
    std::optional<float> leak_;
    std::vector<float> boot;
    int gated_ = 0;
    int total_ = 0;
};
