#pragma once

#include "audio/MicDevice.h"

#include <QTextStream>

#include <vector>

// The "--list-mics" listing: one line per input device, its name, a tab and its uid.
namespace MicListing {
// Returns the exit status, 0 even when there is no sound server (and so no line).
int print(QTextStream& out, const std::vector<MicDevice>& devices);
} // namespace MicListing
