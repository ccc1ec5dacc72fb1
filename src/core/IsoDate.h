#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The stored form of dates in history and meeting files: ISO 8601 in UTC with whole seconds and
// "Z", as in 2025-03-01T14:05:09Z.
namespace IsoDate {

// Fractions of a second are dropped.
QString format(const QDateTime& date);
// None for anything but exactly that form: no fractions, no other offset, a real date.
std::optional<QDateTime> parse(const QString& text);

} // namespace IsoDate
