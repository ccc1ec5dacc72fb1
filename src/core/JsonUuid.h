#pragma once

#include <QJsonValue>
#include <QString>
#include <QUuid>

#include <optional>

// Identifiers in stored files: the standard 36-character upper-case text, nothing looser.
namespace JsonUuid {
QString text(const QUuid& id);
// None unless the value is a string of exactly the standard form (no braces).
std::optional<QUuid> read(const QJsonValue& value);
} // namespace JsonUuid
