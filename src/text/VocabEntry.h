#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// One vocabulary row: the right spelling and the comma-separated forms the engine mishears.
struct VocabEntry {
    QUuid id = QUuid::createUuid();
    QString word;
    QString soundsLike;

    bool operator==(const VocabEntry&) const = default;

    // The stored form: one compact JSON array of {"id","word","soundsLike"}.
    static QByteArray encode(const QList<VocabEntry>& entries);
    // None unless the bytes are an array whose every entry has all three keys, as strings, and
    // an identifier that is a UUID: one bad entry rejects the whole list.
    static std::optional<QList<VocabEntry>> decode(const QByteArray& bytes);
};

size_t qHash(const VocabEntry& entry, size_t seed = 0);
