#pragma once

#include "meetings/Meeting.h"

#include <QString>
#include <QStringList>

// The rules that keep the two sides of a call apart: a line of the user's that only repeats what
// the other side said through the user's speakers is an echo, whichever way its text arrived.
namespace MeetingEcho {

// Lower-cased runs of Unicode letters and numbers; repeats kept. Live transcription and
// re-transcription compare texts with the same tokens.
QStringList tokens(const QString& text);
// At least 3 tokens, and at least 70 % of them (repeats counted) found in `of`.
bool isEcho(const QString& text, const QString& of);
// `at` lies strictly inside the line's span widened by 6 seconds on both sides.
bool near(double at, const MeetingLine& line);
// The first line of the far side near `at` whose text `text` echoes.
const MeetingLine* echoedThem(const Meeting& m, const QString& text, double at);
// Removes the user's lines near `at` that echo `text`.
void dropYouEchoes(Meeting& m, const QString& text, double at);

} // namespace MeetingEcho
