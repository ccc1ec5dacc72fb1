#pragma once

#include "text/VocabEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

// Pure rules that turn the engine's raw text into the text that is pasted or stored. Safe from
// any thread: nothing here reads anything but its arguments.
namespace Cleanup {

// Repeats, credit lines, misheard vocabulary, fillers (when asked), spacing, first capital.
QString basic(const QString& text, const QList<VocabEntry>& vocab, bool removeFillers);
// Drops sentences of three or more words that repeat one of the two sentences kept just before.
QString dropRepeats(const QString& text);
// Drops the sentences that contain a credit phrase; text without one comes back untouched.
QString dropCredits(const QString& text);
// Lower-case phrases that speech models invent from silence: subtitle credits, video outros.
const QStringList& credits();

} // namespace Cleanup
