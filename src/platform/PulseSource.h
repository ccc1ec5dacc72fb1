#pragma once

#include "platform/PulseContext.h"

#include <QString>

#include <vector>

// One source of the server as its listing shows it.
struct PulseSource {
    uint32_t index = PA_INVALID_INDEX;
    QString name;
    QString description;
    // Monitors replay a sink's output; they are not microphones.
    bool monitor = false;

    // Without the lock: the server's sources in its own order; empty when no server answers.
    static std::vector<PulseSource> list(PulseContext& context);
};
