#include "ui/pages/HistoryGroups.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
// The locale's long date without its year: the order and wording stay the locale's own.
QString dayFormat(const QLocale& locale) {
    static const QRegularExpression year(QStringLiteral("[,\\s]*y+[年년]?"));
    static const QRegularExpression edges(QStringLiteral("^[\\s,.]+|[\\s,]+$"));
    QString format = locale.dateFormat(QLocale::LongFormat);
    format.remove(year);
    format.remove(edges);
    return format;
}
} // namespace

namespace HistoryGroups {

QList<Snippet> filter(const QList<Snippet>& items, const QString& search) {
    const QString needle = search.trimmed();
    if (needle.isEmpty())
        return items;
    QList<Snippet> found;
    for (const Snippet& s : items)
        if (s.text.contains(needle, Qt::CaseInsensitive))
            found << s;
    return found;
}

QString label(QDate day, QDate today, const QLocale& locale) {
    if (day == today)
        return QCoreApplication::translate("HistoryGroups", "Today");
    if (day == today.addDays(-1))
        return QCoreApplication::translate("HistoryGroups", "Yesterday");
    return locale.toString(day, dayFormat(locale));
}

// Entries come a day at a time: while one falls inside the day of the entry before it, it needs
// neither a time-zone look-up nor a label of its own, so a long history costs a few hundred.
QList<HistoryGroup> group(const QList<Snippet>& items, QDate today, const QLocale& locale) {
    QList<HistoryGroup> groups;
    qint64 dayFrom = 0;
    qint64 dayTo = 0;
    for (const Snippet& s : items) {
        const qint64 at = s.date.toMSecsSinceEpoch();
        if (groups.isEmpty() || at < dayFrom || at >= dayTo) {
            const QDate day = s.date.toLocalTime().date();
            dayFrom = day.startOfDay().toMSecsSinceEpoch();
            dayTo = day.addDays(1).startOfDay().toMSecsSinceEpoch();
            const QString name = label(day, today, locale);
            if (groups.isEmpty() || groups.last().label != name)
                groups.append({name, {}});
        }
        groups.last().items << s;
    }
    return groups;
}

} // namespace HistoryGroups
