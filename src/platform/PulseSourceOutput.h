#pragma once

#include "platform/PulseContext.h"

#include <QString>

#include <vector>

// A record stream some client has open on a source, with what it says about its application.
struct PulseSourceOutput {
    uint32_t index = PA_INVALID_INDEX;
    uint32_t source = PA_INVALID_INDEX;
    // PA_INVALID_INDEX for the server's own streams (a filter module's, say).
    uint32_t client = PA_INVALID_INDEX;
    bool corked = false;
    // Whether `source` replays a sink rather than hearing a microphone.
    bool fromMonitor = false;
    QString binary;      // application.process.binary
    QString appId;       // application.id
    QString portalAppId; // pipewire.access.portal.app_id
    QString role;        // media.role
    qint64 pid = 0;      // application.process.id

    // Without the lock: every record stream of the server; empty when no server answers.
    static std::vector<PulseSourceOutput> list(PulseContext& context);
};
