#include "ui/HistoryGroups.h"

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
        return QStringLiteral("Today");
    if (day == today.addDays(-1))
        return QStringLiteral("Yesterday");
    return locale.toString(day, dayFormat(locale));
}

QList<HistoryGroup> group(const QList<Snippet>& items, QDate today, const QLocale& locale) {
    QList<HistoryGroup> groups;
    for (const Snippet& s : items) {
        const QString name = label(s.date.toLocalTime().date(), today, locale);
        if (groups.isEmpty() || groups.last().label != name)
            groups.append({name, {}});
        groups.last().items << s;
    }
    return groups;
}

} // namespace HistoryGroups
