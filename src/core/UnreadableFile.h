#pragma once

#include <QString>

// A stored file that is there but can't be decoded is the owner's to recover: before a store
// saves over it, it is renamed beside itself with the time it was set aside.
namespace UnreadableFile {
// `store` names the store in the log lines ("history", "people"). False when the file could
// not be moved, so the caller must not save over it.
bool moveAside(const QString& path, double now, const QString& store);
} // namespace UnreadableFile
