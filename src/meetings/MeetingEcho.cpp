#include "meetings/MeetingEcho.h"

#include <QSet>

namespace MeetingEcho {

QStringList tokens(const QString& text) {
    QStringList out;
    QString piece;
    for (const char32_t c : text.toLower().toUcs4()) {
        if (QChar::isLetterOrNumber(c)) {
            piece += QString::fromUcs4(&c, 1);
        } else if (!piece.isEmpty()) {
            out.append(piece);
            piece.clear();
        }
    }
    if (!piece.isEmpty())
        out.append(piece);
    return out;
}

bool isEcho(const QString& text, const QString& of) {
    const QStringList a = tokens(text);
    if (a.size() < 3)
        return false;
    const QStringList ofTokens = tokens(of);
    const QSet<QString> b(ofTokens.begin(), ofTokens.end());
    qsizetype matched = 0;
    for (const auto& token : a)
        matched += b.contains(token) ? 1 : 0;
    // In whole numbers, so a share of exactly 70 % can't fall short by rounding.
    return matched * 10 >= a.size() * 7;
}

bool near(double at, const MeetingLine& line) {
    return at > line.t - 6 && at < line.last() + 6;
}

const MeetingLine* echoedThem(const Meeting& m, const QString& text, double at) {
    for (const auto& line : m.lines)
        if (line.who.isThem() && near(at, line) && isEcho(text, line.text))
            return &line;
    return nullptr;
}

void dropYouEchoes(Meeting& m, const QString& text, double at) {
    m.lines.removeIf(
        [&](const MeetingLine& y) { return y.who.isYou() && near(at, y) && isEcho(y.text, text); });
}

} // namespace MeetingEcho
