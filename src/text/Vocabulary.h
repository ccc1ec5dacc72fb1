#pragma once

#include "text/VocabEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the vocabulary gives the engine and the polishing model. Callers compute these from the
// current list each time they need them; nothing is cached.
namespace Vocabulary {

// The non-empty words, in list order.
QStringList words(const QList<VocabEntry>& vocab);
// The engine's prompt text: the words joined with ", ", then the caller's context, the
// non-empty ones of the two joined with ". ".
QString prompt(const QList<VocabEntry>& vocab, const QString& context = QString());
// The last `count` words of a text (split at spaces), joined with single spaces: the context
// that primes the next piece of a long dictation.
QString lastWords(const QString& text, qsizetype count = 20);

} // namespace Vocabulary
