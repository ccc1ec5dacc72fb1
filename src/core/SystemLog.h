#pragma once

#include <QString>

// The one line for the system's own log: "Voxmere: <message>" on standard error, flushed at
// once so a crash right after it can't swallow it. Safe from any thread; lines never interleave.
void systemLog(const QString& message);
