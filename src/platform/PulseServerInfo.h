#pragma once

#include "platform/PulseContext.h"
#include "platform/PulseOperation.h"

#include <QString>

#include <functional>
#include <optional>

// What the server says about itself: where sound goes and comes from by default.
struct PulseServerInfo {
    QString defaultSinkName;
    QString defaultSourceName;

    // Without the lock: asks and waits; none when no server answers.
    static std::optional<PulseServerInfo> query(PulseContext& context);
    // On the loop thread, with the lock held: asks without waiting; `done` runs on the loop
    // thread unless the returned operation is cancelled first. Empty when the request failed.
    static PulseOperation request(PulseContext& context,
                                  std::function<void(const PulseServerInfo&)>* done);
};
