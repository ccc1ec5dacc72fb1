#pragma once

#include "history/Snippet.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

// The History page's sections: entries filtered by the search and labelled by their day.
struct HistoryGroup {
    QString label;
    QList<Snippet> items;
};

namespace HistoryGroups {
// Every entry when `search` is blank, else those whose text holds it, ignoring case.
QList<Snippet> filter(const QList<Snippet>& items, const QString& search);
// "Today", "Yesterday", else the weekday, day and month as the locale writes them.
QString label(QDate day, QDate today, const QLocale& locale = QLocale());
// Walks the entries in order; one joins the last group when it has the same label, otherwise it
// starts a new one.
QList<HistoryGroup> group(const QList<Snippet>& items, QDate today,
                          const QLocale& locale = QLocale());
} // namespace HistoryGroups
