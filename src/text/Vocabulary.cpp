#include "text/Vocabulary.h"

namespace Vocabulary {

QStringList words(const QList<VocabEntry>& vocab) {
    QStringList out;
    for (const auto& entry : vocab)
        if (!entry.word.isEmpty())
            out.append(entry.word);
    return out;
}

QString prompt(const QList<VocabEntry>& vocab, const QString& context) {
    QStringList parts;
    const QString vocabulary = words(vocab).join(", ");
    if (!vocabulary.isEmpty())
        parts.append(vocabulary);
    if (!context.isEmpty())
        parts.append(context);
    return parts.join(". ");
}

QString lastWords(const QString& text, qsizetype count) {
    const QStringList all = text.split(' ', Qt::SkipEmptyParts);
    return all.mid(std::max<qsizetype>(0, all.size() - count)).join(' ');
}

} // namespace Vocabulary
