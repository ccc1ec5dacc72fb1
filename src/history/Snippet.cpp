#include "history/Snippet.h"

#include "core/IsoDate.h"
#include "core/JsonField.h"
#include "core/JsonUuid.h"
#include "core/Words.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

// JSON has no infinities or NaN: Qt would write null, and that one entry would make the whole
// file unreadable.
QJsonObject toJson(const Snippet& s) {
    QJsonObject o{{"id", JsonUuid::text(s.id)},
                  {"date", IsoDate::format(s.date)},
                  {"text", s.text},
                  {"raw", s.raw},
                  {"seconds", std::isfinite(s.seconds) ? s.seconds : 0.0}};
    if (s.app)
        o.insert("app", *s.app);
    return o;
}

std::optional<Snippet> fromJson(const QJsonValue& value) {
    const QJsonObject o = value.toObject();
    const auto id = JsonUuid::read(o.value("id"));
    const auto date = IsoDate::parse(o.value("date").toString());
    std::optional<QString> app;
    if (!value.isObject() || !id || !date || !o.value("text").isString() ||
        !o.value("raw").isString() || !o.value("seconds").isDouble() ||
        !JsonField::optionalString(o.value("app"), app))
        return std::nullopt;
    return Snippet{*id,
                   *date,
                   o.value("text").toString(),
                   o.value("raw").toString(),
                   o.value("seconds").toDouble(),
                   app};
}

} // namespace

int Snippet::words() const {
    return Words::count(text);
}

QByteArray Snippet::json() const {
    return QJsonDocument(toJson(*this)).toJson(QJsonDocument::Compact);
}

QByteArray Snippet::encode(const QList<Snippet>& snippets,
                           const std::function<QByteArray(const Snippet&)>& entry) {
    QByteArray out("[");
    for (qsizetype i = 0; i < snippets.size(); ++i) {
        if (i > 0)
            out += ',';
        out += entry ? entry(snippets[i]) : snippets[i].json();
    }
    out += ']';
    return out;
}

std::optional<QList<Snippet>> Snippet::decode(const QByteArray& bytes) {
    QJsonParseError error;
    const auto doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    const QJsonArray array = doc.array();
    QList<Snippet> snippets;
    snippets.reserve(array.size());
    for (const auto& value : array) {
        auto s = fromJson(value);
        if (!s)
            return std::nullopt;
        snippets.append(std::move(*s));
    }
    return snippets;
}
