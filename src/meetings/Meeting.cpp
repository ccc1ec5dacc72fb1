#include "meetings/Meeting.h"

#include "core/JsonField.h"
#include "core/IsoDate.h"
#include "core/JsonUuid.h"
#include "core/Words.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

QJsonObject namesToJson(const Meeting::Names& names) {
    QJsonObject o;
    for (auto it = names.begin(); it != names.end(); ++it)
        o.insert(it.key().stored(), it.value());
    return o;
}

bool namesFromJson(const QJsonValue& value, std::optional<Meeting::Names>& out) {
    std::optional<QMap<QString, QString>> stored;
    if (!JsonField::optionalNames(value, stored))
        return false;
    if (stored) {
        Meeting::Names& names = out.emplace();
        for (auto it = stored->begin(); it != stored->end(); ++it)
            names.insert(SpeakerKey::fromStored(it.key()), it.value());
    }
    return true;
}

std::optional<QList<MeetingLine>> linesFromJson(const QJsonValue& value) {
    if (!value.isArray())
        return std::nullopt;
    QList<MeetingLine> lines;
    for (const auto& item : value.toArray()) {
        auto line = MeetingLine::fromJson(item);
        if (!line)
            return std::nullopt;
        lines.append(std::move(*line));
    }
    return lines;
}

// The locale's abbreviated date: its long form without the weekday and with short month names.
QString abbreviatedDateFormat(const QLocale& locale) {
    thread_local const QRegularExpression weekday("dddd[,.]?\\s*|[,.]?\\s*dddd");
    return locale.dateFormat(QLocale::LongFormat).remove(weekday).replace("MMMM", "MMM");
}

} // namespace

QList<SpeakerKey> Meeting::speakerKeys() const {
    QList<SpeakerKey> keys;
    for (const auto& line : lines)
        if (!keys.contains(line.key()))
            keys.append(line.key());
    return keys;
}

std::optional<QString> Meeting::givenName(const SpeakerKey& key) const {
    if (names && names->contains(key))
        return names->value(key);
    if (guesses && guesses->contains(key))
        return guesses->value(key);
    return std::nullopt;
}

QString Meeting::name(const SpeakerKey& key) const {
    if (auto given = givenName(key))
        return *given;
    if (auto n = key.number())
        return "Speaker " + QString::number(*n);
    return key.stored();
}

bool Meeting::guessed(const SpeakerKey& key) const {
    return !(names && names->contains(key)) && guesses && guesses->contains(key);
}

double Meeting::duration(const QDateTime& now) const {
    return double(start.msecsTo(end.value_or(now))) / 1000.0;
}

int Meeting::words() const {
    int count = 0;
    for (const auto& line : lines)
        count += Words::count(line.text);
    return count;
}

QString Meeting::markdown(const QDateTime& now, const QLocale& locale) const {
    const QString when =
        locale.toString(start.toLocalTime(), abbreviatedDateFormat(locale) + " " +
                                                 locale.timeFormat(QLocale::ShortFormat));
    QString out = "# " + title + "\n\n" + when + " \u00b7 " + clock(duration(now));
    if (app)
        out += " \u00b7 " + *app;
    out += "\n\n";
    for (const auto& line : lines)
        out += "**" + name(line.key()) + "** (" + clock(line.t) + "): " + line.text + "\n\n";
    return out;
}

QByteArray Meeting::encode() const {
    QJsonArray lineArray;
    for (const auto& line : lines)
        lineArray.append(line.toJson());
    QJsonObject o{{"id", JsonUuid::text(id)},
                  {"start", IsoDate::format(start)},
                  {"title", title},
                  {"lines", lineArray},
                  {"file", file}};
    if (end)
        o.insert("end", IsoDate::format(*end));
    if (app)
        o.insert("app", *app);
    if (names)
        o.insert("names", namesToJson(*names));
    if (guesses)
        o.insert("guesses", namesToJson(*guesses));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<Meeting> Meeting::decode(const QByteArray& bytes) {
    QJsonParseError error;
    const auto doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    const auto id = JsonUuid::read(o.value("id"));
    const auto start = IsoDate::parse(o.value("start").toString());
    auto lines = linesFromJson(o.value("lines"));
    if (!id || !start || !lines || !o.value("title").isString() || !o.value("file").isString())
        return std::nullopt;
    Meeting m;
    m.id = *id;
    m.start = *start;
    m.title = o.value("title").toString();
    m.lines = std::move(*lines);
    m.file = o.value("file").toString();
    const bool optionalsRead = JsonField::optionalDate(o.value("end"), m.end) &&
                               JsonField::optionalString(o.value("app"), m.app) &&
                               namesFromJson(o.value("names"), m.names) &&
                               namesFromJson(o.value("guesses"), m.guesses);
    return optionalsRead ? std::optional(m) : std::nullopt;
}

QString clock(double seconds) {
    // Finite input is promised; the bound only keeps the conversion defined.
    const qint64 s = seconds > 0 ? qint64(std::min(seconds, 1e15)) : 0;
    if (s >= 3600)
        return QString::asprintf("%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return QString::asprintf("%02lld:%02lld", s / 60, s % 60);
}
