#include "text/Cleanup.h"

#include <QHash>
#include <QRegularExpression>
#include <QTextBoundaryFinder>

namespace {

constexpr auto unicode = QRegularExpression::UseUnicodePropertiesOption;

// Every pattern here is thread_local: clean-up runs on dictation and call threads at once, and
// a compiled pattern is only promised to be reentrant, not shareable.

const QRegularExpression& fillers() {
    thread_local const QRegularExpression re(
        "(?i)\\b(u+m+|u+h+|e+r+m+|a+h+|h+m+|m+h*m+)\\b[,.]?\\s*", unicode);
    return re;
}

const QRegularExpression& spaceBeforeMark() {
    thread_local const QRegularExpression re("\\s+([,.!?])", unicode);
    return re;
}

const QRegularExpression& whitespaceRun() {
    thread_local const QRegularExpression re("\\s{2,}", unicode);
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

// Compiling a pattern costs more than running it over a dictation, and the same forms come
// back with every dictation, so each thread keeps the ones it has made.
const QRegularExpression& wholeWord(const QString& form) {
    thread_local QHash<QString, QRegularExpression> made;
    if (made.size() > 512)
        made.clear();
    auto it = made.find(form);
    if (it == made.end())
        it = made.insert(form,
                         QRegularExpression("\\b" + QRegularExpression::escape(form) + "\\b",
                                            unicode | QRegularExpression::CaseInsensitiveOption));
    return *it;
}

QString applyVocabulary(QString text, const QList<VocabEntry>& vocab) {
    for (const auto& entry : vocab) {
        if (entry.word.isEmpty())
            continue;
        for (const auto& piece : entry.soundsLike.split(',', Qt::SkipEmptyParts)) {
            const QString form = trimSpacesAndTabs(piece);
            if (form.isEmpty())
                continue;
            // Most forms are absent from a given text; the plain search spares their patterns.
            if (text.contains(form, Qt::CaseInsensitive))
                text = replaceLiterally(text, wholeWord(form), entry.word);
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
QString normalForm(QStringView sentence) {
    const QString lower = sentence.toString().toLower();
    QString kept;
    kept.reserve(lower.size());
    for (qsizetype i = 0; i < lower.size();) {
        char32_t c = lower[i].unicode();
        qsizetype width = 1;
        if (lower[i].isHighSurrogate() && i + 1 < lower.size() && lower[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(lower[i], lower[i + 1]);
            width = 2;
        }
        if (c == ' ' || QChar::isLetterOrNumber(c) || QChar::isMark(c))
            kept.append(lower.constData() + i, width);
        i += width;
    }
    return trimSpacesAndTabs(kept);
}

bool hasThreeWords(QStringView form) {
    int words = 0;
    bool inWord = false;
    for (const QChar c : form) {
        if (c != ' ' && !inWord && ++words == 3)
            return true;
        inWord = c != ' ';
    }
    return false;
}

QList<QStringView> sentencesOfLines(const QString& text) {
    QList<QStringView> sentences;
    for (const auto line : QStringView(text).split('\n', Qt::SkipEmptyParts)) {
        qsizetype start = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == '.' || line[i] == '?' || line[i] == '!') {
                sentences.append(line.mid(start, i + 1 - start));
                start = i + 1;
            }
        }
        if (start < line.size())
            sentences.append(line.mid(start));
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
    QString kept;
    QStringList keptForms;
    for (const auto sentence : sentencesOfLines(text)) {
        QString form = normalForm(sentence);
        const qsizetype n = keptForms.size();
        const bool repeat = hasThreeWords(form) && ((n >= 1 && keptForms[n - 1] == form) ||
                                                    (n >= 2 && keptForms[n - 2] == form));
        if (repeat)
            continue;
        kept += sentence;
        keptForms.append(std::move(form));
    }
    return trimSpacesAndTabs(kept);
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
