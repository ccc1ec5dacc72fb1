#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// A voice's fundamental in `n` samples at `rate`, by autocorrelation between 60 and 400 Hz;
// 0 when nothing in that range repeats (silence, or a hiss like "s" or "f"). The stand-ins tell
// voices apart by it.
inline double pitch(const int16_t* s, int n, int rate) {
    // Below this a frame is noise rather than a voice.
    constexpr double voiced = 0.5;
    // A wave repeats after two and three periods as well as one; when the period is not a whole
    // number of samples a multiple can correlate a little better, and would read an octave or
    // more too low. The shortest lag that correlates nearly as well as the best is the period.
    constexpr double nearly = 0.9;
    const int shortest = rate / 400, longest = rate / 60;
    std::vector<double> r(size_t(longest + 1), 0);
    double best = 0;
    for (int l = shortest; l <= longest; ++l) {
        double sum = 0, a = 0, b = 0;
        for (int i = 0; i + l < n; ++i) {
            sum += double(s[i]) * s[i + l];
            a += double(s[i]) * s[i];
            b += double(s[i + l]) * s[i + l];
        }
        r[size_t(l)] = a > 0 && b > 0 ? sum / std::sqrt(a * b) : 0;
        best = std::max(best, r[size_t(l)]);
    }
    if (best < voiced)
        return 0;
    for (int l = shortest; l <= longest; ++l) {
        const bool peak = (l == shortest || r[size_t(l)] >= r[size_t(l - 1)]) &&
                          (l == longest || r[size_t(l)] >= r[size_t(l + 1)]);
        if (peak && r[size_t(l)] >= nearly * best)
            return double(rate) / l;
    }
    return 0;
}
