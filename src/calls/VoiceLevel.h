#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Drops microphone pieces much quieter than the user's own voice in this call (far-away talk,
// leftover bleed). Learns the typical level from the call's own accepted pieces.
// Not safe for concurrent use.
class VoiceLevel {
  public:
    // The loud part of the samples: about the 90th percentile of their 100 ms frame levels.
    static float level(std::span<const int16_t> samples);

    std::optional<float> typical() const;
    bool accept(std::span<const int16_t> samples);
    QString summary() const;

    int kept() const { return kept_; }
    int dropped() const { return dropped_; }

  private:
    std::vector<float> levels;
    int dropped_ = 0;
    int kept_ = 0;
};
