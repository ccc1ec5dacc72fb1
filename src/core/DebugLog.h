#pragma once

#include <QString>

// Appends "<UTC ISO 8601 time> <message>\n" to debug.log in the data folder. Never fails
// visibly; safe from any thread (each call writes one whole line).
void debugLog(const QString& message);

namespace DebugLog {
// The rollover size: a file larger than this is deleted before the next line.
inline constexpr qint64 limit = 200000;
// Writes one line to the given file; debugLog uses the data folder's debug.log.
void append(const QString& path, const QString& message);
} // namespace DebugLog
