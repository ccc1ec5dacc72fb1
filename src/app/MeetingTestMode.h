#pragma once

#include <QStringList>

class MeetingRecorder;

// "--meeting-test seconds [--again]": 4 s after launch records a call of the given length for
// the application "Test"; with "--again", once more as soon as the first has been written up.
namespace MeetingTestMode {
// The seconds parse as a decimal number.
bool wanted(const QStringList& args);
void run(const QStringList& args, MeetingRecorder& recorder);
} // namespace MeetingTestMode
