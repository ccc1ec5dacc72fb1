#include "text/IsoDate.h"
#include "text/Words.h"

#include <QTimeZone>
#include <gtest/gtest.h>

TEST(IsoDate, writesUtcWholeSecondsWithZ) {
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(1740837909789, QTimeZone::utc());
    EXPECT_EQ(IsoDate::format(date), "2025-03-01T14:05:09Z");
    EXPECT_EQ(IsoDate::format(date.toTimeZone(QTimeZone(3600))), "2025-03-01T14:05:09Z");
    EXPECT_EQ(IsoDate::format(QDateTime(QDate(987, 1, 2), QTime(3, 4, 5), QTimeZone::utc())),
              "0987-01-02T03:04:05Z");
}

TEST(IsoDate, readsOnlyTheExactForm) {
    const auto date = IsoDate::parse("2025-03-01T14:05:09Z");
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->toSecsSinceEpoch(), 1740837909);
    for (const char* bad :
         {"2025-03-01T14:05:09.5Z", "2025-03-01T14:05:09+01:00", "2025-03-01T14:05:09",
          "2025-02-30T14:05:09Z", "2025-03-01 14:05:09Z", "2025-03-01T24:00:00Z",
          " 2025-03-01T14:05:09Z", "", "1740837909", "2025-03-01T14:05:0aZ", "+025-03-01T14:05:09Z",
          "2025-03-01T14:05:09z", "2025-03-01T14:05:١٢Z"})
        EXPECT_FALSE(IsoDate::parse(bad).has_value()) << bad;
}

TEST(Words, countsRunsOfNonWhitespace) {
    EXPECT_EQ(Words::count(u""), 0);
    EXPECT_EQ(Words::count(u" \t\n "), 0);
    EXPECT_EQ(Words::count(u"one\ttwo\n\nthree  four"), 4);
    EXPECT_EQ(Words::count(u"\u00a0a\u2003b "), 2);
}
