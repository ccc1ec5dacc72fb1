#pragma once

#include "meetings/SpeakerKey.h"

#include <QUuid>

#include <cstdint>
#include <vector>

// One stretch of a call side waiting to be transcribed: a speech piece (its text becomes part of
// a live draft line) or a whole turn (its text replaces the draft line's joined pieces).
struct CallJob {
    std::vector<int16_t> samples; // empty for a final job of a one-piece turn
    double t = 0;                 // start, in seconds from the call's start
    SpeakerKey who;               // the side
    QUuid turn;
    bool final = false;

    double seconds() const { return double(samples.size()) / 16000.0; }
};
