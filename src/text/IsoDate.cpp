#include "text/IsoDate.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace IsoDate {

QString format(const QDateTime& date) {
    return date.toUTC().toString("yyyy-MM-ddTHH:mm:ss") + 'Z';
}

std::optional<QDateTime> parse(const QString& text) {
    static const QRegularExpression shape(
        "^([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2}):([0-9]{2})Z$");
    const auto m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(day, time, QTimeZone::utc());
}

} // namespace IsoDate
