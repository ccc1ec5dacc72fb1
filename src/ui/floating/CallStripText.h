#pragma once

#include "meetings/SpeakerKey.h"

#include <QString>

#include <optional>

class QLabel;
struct CallActivity;
struct Meeting;

// What the call strip writes, and the labels it writes it in (plain text only: the lines are
// what people said, never markup).
namespace CallStripText {

// The one row of the strip that is not enlarged.
struct Latest {
    SpeakerKey who;
    QString text;
    // The side is talking and its words are not back yet: `text` reads "listening…".
    bool listening = false;
};

// The newest line of the call (the one that ended last, the first of equals), or, while a side
// is talking and that line is not a draft being written, that side listening; nothing when
// there is neither.
std::optional<Latest> latest(const Meeting* m, const CallActivity& a, bool youTalking,
                             bool themTalking);

// "Listening for speech…", or why only one side can be heard.
QString nothingYet(bool systemAudioOK);
QString engineTrouble(int callAudioDays);

QLabel* name(int pixelSize);
QLabel* text(int pixelSize);
// The words of a transcript row, wrapped.
QLabel* lineText(int pixelSize);
// A faded 11-pixel line.
QLabel* note();
// The side's name in its colour on the dark strip.
void showSide(QLabel* label, const SpeakerKey& who);
// Gives the label this style sheet unless it has it already: setting one styles the label again
// even when it is the same, and the strip shows a side's name on every line.
void restyle(QLabel* label, const QString& sheet);

} // namespace CallStripText
