#pragma once

#include "engine/EngineSupervisor.h"
#include "uistate/UIState.h"

#include <QTest>

// Pings until the engine answers, as the 2-second timer would, but without its pauses.
inline bool waitUntilEngineReady(EngineSupervisor& supervisor, UIState& ui, int ms = 10000) {
    return QTest::qWaitFor(
        [&] {
            supervisor.pingServer();
            QTest::qWait(20);
            return ui.engineReady();
        },
        ms);
}
