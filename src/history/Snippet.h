#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

// One finished dictation as kept in the history.
struct Snippet {
    QUuid id = QUuid::createUuid();
    QDateTime date = QDateTime::currentDateTimeUtc();
    QString text; // what was delivered, after clean-up and polishing
    QString raw;  // what the engine said
    double seconds = 0;
    std::optional<QString> app;

    int words() const;
    bool operator==(const Snippet&) const = default;

    // This entry as one compact JSON object, as it stands in the history file.
    QByteArray json() const;
    // The history file: one compact JSON array of `json` objects; "app" is left out when
    // absent. `entry`, when given, supplies each entry's object instead.
    static QByteArray encode(const QList<Snippet>& snippets,
                             const std::function<QByteArray(const Snippet&)>& entry = {});
    // None unless every entry has "id", "date", "text", "raw" and "seconds" of the right type.
    static std::optional<QList<Snippet>> decode(const QByteArray& bytes);
};
