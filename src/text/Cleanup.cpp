#include "text/Cleanup.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

namespace {

constexpr auto unicode = QRegularExpression::UseUnicodePropertiesOption;

const QRegularExpression& fillers() {
    static const QRegularExpression re("(?i)\\b(u+m+|u+h+|e+r+m+|a+h+|h+m+|m+h*m+)\\b[,.]?\\s*",
                                       unicode);
    return re;
}

const QRegularExpression& spaceBeforeMark() {
    static const QRegularExpression re("\\s+([,.!?])", unicode);
    return re;
}

const QRegularExpression& whitespaceRun() {
    static const QRegularExpression re("\\s{2,}", unicode);
    return re;
}

QString trimSpacesAndTabs(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == ' ' || text[from] == '\t'))
        ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t'))
        --to;
    return text.mid(from, to - from);
}

// QString::replace would read "\1" in a vocabulary word as a group reference.
QString replaceLiterally(const QString& text, const QRegularExpression& re, const QString& with) {
    auto it = re.globalMatch(text);
    if (!it.hasNext())
        return text;
    QString out;
    qsizetype copied = 0;
    while (it.hasNext()) {
        const auto match = it.next();
        out += QStringView(text).mid(copied, match.capturedStart() - copied);
        out += with;
        copied = match.capturedEnd();
    }
    out += QStringView(text).mid(copied);
    return out;
}

QString applyVocabulary(QString text, const QList<VocabEntry>& vocab) {
    for (const auto& entry : vocab) {
        if (entry.word.isEmpty())
            continue;
        for (const auto& piece : entry.soundsLike.split(',', Qt::SkipEmptyParts)) {
            const QString form = trimSpacesAndTabs(piece);
            if (form.isEmpty())
                continue;
            const QRegularExpression re("\\b" + QRegularExpression::escape(form) + "\\b",
                                        unicode | QRegularExpression::CaseInsensitiveOption);
            text = replaceLiterally(text, re, entry.word);
        }
    }
    return text;
}

QString capitaliseFirst(const QString& text) {
    if (text.isEmpty())
        return text;
    const char32_t first = text.front().isHighSurrogate() && text.size() > 1
                               ? QChar::surrogateToUcs4(text[0], text[1])
                               : text[0].unicode();
    if (!QChar::isLower(first))
        return text;
    const qsizetype width = QChar::requiresSurrogates(first) ? 2 : 1;
    return text.left(width).toUpper() + text.mid(width);
}

// Lower case, letters and digits and plain spaces only, so punctuation and case don't hide a
// repeat.
QString normalForm(const QString& sentence) {
    QString kept;
    const auto ucs4 = sentence.toLower().toUcs4();
    for (const char32_t c : ucs4)
        if (c == ' ' || QChar::isLetterOrNumber(c) || QChar::isMark(c))
            kept += QString::fromUcs4(&c, 1);
    return trimSpacesAndTabs(kept);
}

QStringList sentencesOfLines(const QString& text) {
    QStringList sentences;
    for (const auto& line : text.split('\n', Qt::SkipEmptyParts)) {
        QString current;
        for (const QChar c : line) {
            current += c;
            if (c == '.' || c == '?' || c == '!') {
                sentences.append(current);
                current.clear();
            }
        }
        if (!current.isEmpty())
            sentences.append(current);
    }
    return sentences;
}

bool containsCredit(const QString& lowered) {
    for (const auto& phrase : Cleanup::credits())
        if (lowered.contains(phrase))
            return true;
    return false;
}

} // namespace

namespace Cleanup {

QString basic(const QString& text, const QList<VocabEntry>& vocab, bool removeFillers) {
    QString out = applyVocabulary(dropCredits(dropRepeats(text)), vocab);
    if (removeFillers)
        out.remove(fillers());
    out.replace(spaceBeforeMark(), "\\1");
    out.replace(whitespaceRun(), " ");
    return capitaliseFirst(out.trimmed());
}

QString dropRepeats(const QString& text) {
    QStringList kept;
    QStringList keptForms;
    for (const auto& sentence : sentencesOfLines(text)) {
        const QString form = normalForm(sentence);
        const bool short_ = form.split(' ', Qt::SkipEmptyParts).size() < 3;
        const auto recent = keptForms.mid(std::max<qsizetype>(0, keptForms.size() - 2));
        if (!short_ && recent.contains(form))
            continue;
        kept.append(sentence);
        keptForms.append(form);
    }
    return trimSpacesAndTabs(kept.join(QString()));
}

QString dropCredits(const QString& text) {
    if (!containsCredit(text.toLower()))
        return text;
    QString kept;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        const QString sentence = text.mid(start, end - start);
        if (!containsCredit(sentence.toLower()))
            kept += sentence;
        start = end;
    }
    return kept.trimmed();
}

const QStringList& credits() {
    static const QStringList phrases = {
        "radio-canada",
        "amara.org",
        "sous-titrage",
        "sous-titres",
        "sous titres",
        "untertitel",
        "subtítulos",
        "subtitulado",
        "sottotitoli",
        "ondertiteling",
        "legendas pela",
        "napisy",
        "subtitles by",
        "captions by",
        "transcription by",
        "castingwords",
        "transcript by",
        "please subscribe",
        "like and subscribe",
        "thanks for watching",
        "thank you for watching",
        "ご視聴",
        "字幕",
        "продолжение следует",
        "субтитры",
        "자막",
        "시청해",
    };
    return phrases;
}

} // namespace Cleanup
