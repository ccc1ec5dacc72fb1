#include "text/VocabEntry.h"

#include <QHashFunctions>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray VocabEntry::encode(const QList<VocabEntry>& entries) {
    QJsonArray array;
    for (const auto& e : entries)
        array.append(QJsonObject{{"id", e.id.toString(QUuid::WithoutBraces).toUpper()},
                                 {"word", e.word},
                                 {"soundsLike", e.soundsLike}});
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
        if (!value.isObject() || !o.value("id").isString() || !o.value("word").isString() ||
            !o.value("soundsLike").isString())
            return std::nullopt;
        const QString idText = o.value("id").toString();
        const QUuid id = QUuid::fromString(idText);
        if (id.isNull() || idText.size() != 36)
            return std::nullopt;
        entries.append({id, o.value("word").toString(), o.value("soundsLike").toString()});
    }
    return entries;
}

size_t qHash(const VocabEntry& entry, size_t seed) {
    return qHashMulti(seed, entry.id, entry.word, entry.soundsLike);
}
