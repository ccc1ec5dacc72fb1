#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QMap>
#include <QString>
#include <QUuid>

#include <optional>

// Reading and writing the pieces of a meeting file. An optional key that is missing or null
// reads as absent; one that is present with the wrong type makes the file unreadable, which the
// readers report by answering false.
namespace MeetingJson {

bool optionalNumber(const QJsonValue& value, std::optional<double>& out);
bool optionalBool(const QJsonValue& value, std::optional<bool>& out);
bool optionalString(const QJsonValue& value, std::optional<QString>& out);
bool optionalDate(const QJsonValue& value, std::optional<QDateTime>& out);
bool optionalNames(const QJsonValue& value, std::optional<QMap<QString, QString>>& out);

} // namespace MeetingJson
