#include "text/VocabEntry.h"

#include "core/JsonUuid.h"

#include <QHashFunctions>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray VocabEntry::encode(const QList<VocabEntry>& entries) {
    QJsonArray array;
    for (const auto& e : entries)
        array.append(QJsonObject{
            {"id", JsonUuid::text(e.id)}, {"word", e.word}, {"soundsLike", e.soundsLike}});
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<VocabEntry>> VocabEntry::decode(const QByteArray& bytes) {
    QJsonParseError error;
    const auto doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    QList<VocabEntry> entries;
    for (const auto& value : doc.array()) {
        const auto o = value.toObject();
        const auto id = JsonUuid::read(o.value("id"));
        if (!value.isObject() || !id || !o.value("word").isString() ||
            !o.value("soundsLike").isString())
            return std::nullopt;
        entries.append({*id, o.value("word").toString(), o.value("soundsLike").toString()});
    }
    return entries;
}

size_t qHash(const VocabEntry& entry, size_t seed) {
    return qHashMulti(seed, entry.id, entry.word, entry.soundsLike);
}
