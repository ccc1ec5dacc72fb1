#pragma once

#include <cstdint>
#include <span>

// Root mean square of 16-bit samples scaled to [-1, 1], accumulated in 32-bit floats in sample
// order so every frame's level is the same wherever it is computed. 0 for no samples.
float rms(std::span<const int16_t> samples);
