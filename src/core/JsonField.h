#pragma once

#include <QDateTime>
#include <QJsonValue>
#include <QMap>
#include <QString>
#include <QUuid>

#include <optional>

// Reading the optional fields of a stored record (a meeting, a line, a snippet). An optional key
// that is missing or null reads as absent; one that is present with the wrong type makes the
// file unreadable, which the readers report by answering false.
namespace JsonField {

bool optionalNumber(const QJsonValue& value, std::optional<double>& out);
bool optionalBool(const QJsonValue& value, std::optional<bool>& out);
bool optionalString(const QJsonValue& value, std::optional<QString>& out);
bool optionalDate(const QJsonValue& value, std::optional<QDateTime>& out);
bool optionalNames(const QJsonValue& value, std::optional<QMap<QString, QString>>& out);

} // namespace JsonField
