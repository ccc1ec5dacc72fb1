#include "core/IsoDate.h"
#include "core/JsonUuid.h"
#include "core/Words.h"

#include <QTimeZone>
#include <gtest/gtest.h>

TEST(IsoDate, WritesUtcWholeSecondsWithZ) {
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(1740837909789, QTimeZone::utc());
    EXPECT_EQ(IsoDate::format(date), "2025-03-01T14:05:09Z");
    EXPECT_EQ(IsoDate::format(date.toTimeZone(QTimeZone(3600))), "2025-03-01T14:05:09Z");
    EXPECT_EQ(IsoDate::format(QDateTime(QDate(987, 1, 2), QTime(3, 4, 5), QTimeZone::utc())),
              "0987-01-02T03:04:05Z");
}

TEST(IsoDate, ReadsOnlyTheExactForm) {
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

TEST(Words, CountsRunsOfNonWhitespace) {
    EXPECT_EQ(Words::count(u""), 0);
    EXPECT_EQ(Words::count(u" \t\n "), 0);
    EXPECT_EQ(Words::count(u"one\ttwo\n\nthree  four"), 4);
    EXPECT_EQ(Words::count(u"\u00a0a\u2003b "), 2);
}

TEST(JsonUuid, ReadsBackEveryIdentifierItWritesAndNothingLooser) {
    for (const QUuid& id : {QUuid::createUuid(), QUuid()}) {
        const auto back = JsonUuid::read(JsonUuid::text(id));
        ASSERT_TRUE(back.has_value()) << JsonUuid::text(id).toStdString();
        EXPECT_EQ(*back, id);
    }
    EXPECT_EQ(
        JsonUuid::text(QUuid::fromString(QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff"))),
        "6F9619FF-8B86-D011-B42D-00C04FC964FF");
    for (const QJsonValue& bad :
         {QJsonValue("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"),
          QJsonValue("6F9619FF8B86D011B42D00C04FC964FF"),
          QJsonValue("6F9619FF-8B86-D011-B42D-00C04FC964FG"),
          QJsonValue("0000000000000000000000000000000000000"),
          QJsonValue("000000000000000000000000000000000000"), QJsonValue(3), QJsonValue()})
        EXPECT_FALSE(JsonUuid::read(bad).has_value()) << bad.toString().toStdString();
}
