#pragma once

#include "platform/PulseContext.h"

#include <QString>

#include <optional>

// One sink of the server: where sound is played, and the source that replays it.
struct PulseSink {
    QString name;
    QString monitorSourceName;

    // Without the lock: the sink with this name; none when it or the server is missing.
    static std::optional<PulseSink> find(PulseContext& context, const QString& name);
};
