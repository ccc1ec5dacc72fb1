#pragma once

#include <QStringList>

class MeetingStore;

// "--rename id old new": names a speaker of a stored meeting, then quits once the change is
// on disk. It needs all three values and a well-formed identifier; otherwise it is no mode at
// all and Voxmere starts as usual.
namespace RenameMode {
bool wanted(const QStringList& args);
// True when the arguments asked for it and the rename was made.
bool run(const QStringList& args, MeetingStore& store);
} // namespace RenameMode
