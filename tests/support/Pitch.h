#pragma once

#include <cmath>
#include <cstdint>

// A voice's fundamental in `n` samples at `rate`, by autocorrelation between 60 and 400 Hz;
// 0 when nothing in that range repeats. The stand-ins tell voices apart by it.
inline double pitch(const int16_t* s, int n, int rate) {
    double best = 0;
    int lag = 0;
    for (int l = rate / 400; l <= rate / 60; ++l) {
        double sum = 0, a = 0, b = 0;
        for (int i = 0; i + l < n; ++i) {
            sum += double(s[i]) * s[i + l];
            a += double(s[i]) * s[i];
            b += double(s[i + l]) * s[i + l];
        }
        const double r = a > 0 && b > 0 ? sum / std::sqrt(a * b) : 0;
        if (r > best) {
            best = r;
            lag = l;
        }
    }
    return lag ? double(rate) / lag : 0;
}
