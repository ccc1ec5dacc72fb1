#include "ui/pages/HistoryGroups.h"

#include <gtest/gtest.h>

namespace {

const QLocale british(QLocale::English, QLocale::UnitedKingdom);
// A Wednesday; the Monday before it is 2025-03-03.
const QDate today(2025, 3, 5);

Snippet at(const QDate& day, const QTime& time, const QString& text = "x") {
    Snippet s;
    s.text = text;
    s.date = QDateTime(day, time).toUTC();
    return s;
}

QStringList labels(const QList<HistoryGroup>& groups) {
    QStringList out;
    for (const HistoryGroup& g : groups)
        out << g.label + ":" + QString::number(g.items.size());
    return out;
}

} // namespace

TEST(HistoryGroups, MidnightSeparatesTodayFromYesterdayInLocalTime) {
    const QList<Snippet> items = {at(today, {0, 1}), at(today.addDays(-1), {23, 59})};
    EXPECT_EQ(labels(HistoryGroups::group(items, today, british)),
              QStringList({"Today:1", "Yesterday:1"}));
}

TEST(HistoryGroups, OlderDaysAreNamedByWeekdayDayAndMonthWithoutTheYear) {
    const QDate monday(2025, 3, 3);
    const QList<Snippet> items = {at(today, {9, 0}), at(monday, {17, 0}), at(monday, {8, 0})};
    EXPECT_EQ(labels(HistoryGroups::group(items, today, british)),
              QStringList({"Today:1", "Monday, 3 March:2"}));
    EXPECT_EQ(HistoryGroups::label(monday, today, QLocale(QLocale::German)), "Montag, 3. März");
}

// An entry joins only the group just before it; a day seen again later starts a new group.
TEST(HistoryGroups, ADayReturningAfterAnotherStartsANewGroup) {
    const QList<Snippet> items = {at(today, {9, 0}), at(today.addDays(-1), {9, 0}),
                                  at(today, {8, 0})};
    EXPECT_EQ(labels(HistoryGroups::group(items, today, british)),
              QStringList({"Today:1", "Yesterday:1", "Today:1"}));
}

TEST(HistoryGroups, SearchIgnoresCaseAndABlankSearchKeepsEverything) {
    const QList<Snippet> items = {at(today, {9, 0}, "well hello there"), at(today, {8, 0}, "bye")};
    EXPECT_EQ(HistoryGroups::filter(items, "HELLO").size(), 1);
    EXPECT_EQ(HistoryGroups::filter(items, "  hello ").size(), 1);
    EXPECT_EQ(HistoryGroups::filter(items, "   ").size(), 2);
}
