#include "meetings/SpeakerKey.h"

#include <QHash>
#include <QRegularExpression>

// Literals, not QString constants: other files make keys in their static initialisers, which
// may run before this file's.
namespace {
QString youText() {
    return QStringLiteral("You");
}
QString themText() {
    return QStringLiteral("Them");
}
} // namespace

SpeakerKey::SpeakerKey(Kind kind, QString text, qlonglong n)
    : kind(kind), text(std::move(text)), n(n) {}

SpeakerKey SpeakerKey::you() {
    return {Kind::You, youText()};
}

SpeakerKey SpeakerKey::them() {
    return {Kind::Them, themText()};
}

SpeakerKey SpeakerKey::numbered(qlonglong n) {
    return {Kind::Numbered, "S" + QString::number(n), n};
}

SpeakerKey SpeakerKey::fromStored(const QString& text) {
    if (text == youText())
        return you();
    if (text == themText())
        return them();
    // A sign is read as part of the number, as the names shown for such keys always did.
    thread_local const QRegularExpression numberedText("^S([+-]?[0-9]+)$");
    const auto match = numberedText.match(text);
    bool ok = false;
    const qlonglong n = match.hasMatch() ? match.captured(1).toLongLong(&ok) : 0;
    return ok ? SpeakerKey(Kind::Numbered, text, n) : SpeakerKey(Kind::Other, text);
}

std::optional<qlonglong> SpeakerKey::number() const {
    return kind == Kind::Numbered ? std::optional(n) : std::nullopt;
}

size_t qHash(const SpeakerKey& key, size_t seed) {
    return qHash(key.stored(), seed);
}
