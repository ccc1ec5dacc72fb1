#include "meetings/Meeting.h"

#include "support/MeetingSamples.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using MeetingSamples::line;

Meeting fullMeeting() {
    Meeting m;
    m.start = QDateTime::fromMSecsSinceEpoch(1740837909789, QTimeZone::utc());
    m.end = m.start.addMSecs(125250);
    m.title = "Zoom call";
    m.app = "Zoom";
    m.file = "2025-03-01 14.05.09 Zoom call.md";
    MeetingLine first = line("Them", 7.9, "Hello there.", "S2");
    first.e = 9.123456789012345;
    MeetingLine second = line("You", 10.1, "Hi.");
    second.draft = true;
    m.lines = {first, second};
    m.names = Meeting::Names{{"S2", "Ada"}};
    m.guesses = Meeting::Names{{"S1", "Bob"}};
    return m;
}

QByteArray changed(const std::function<void(QJsonObject&)>& change) {
    QJsonObject o = QJsonDocument::fromJson(fullMeeting().encode()).object();
    change(o);
    return QJsonDocument(o).toJson();
}

std::function<void(QJsonObject&)> inFirstLine(std::function<void(QJsonObject&)> change) {
    return [change](QJsonObject& o) {
        QJsonArray lines = o["lines"].toArray();
        QJsonObject first = lines[0].toObject();
        change(first);
        lines[0] = first;
        o["lines"] = lines;
    };
}

} // namespace

TEST(MeetingClock, TruncatesAndSwitchesToHoursAtThreeThousandSixHundred) {
    EXPECT_EQ(clock(0), "00:00");
    EXPECT_EQ(clock(59.99), "00:59");
    EXPECT_EQ(clock(3599), "59:59");
    EXPECT_EQ(clock(3600), "1:00:00");
    EXPECT_EQ(clock(3723.5), "1:02:03");
    EXPECT_EQ(clock(-5), "00:00");
    EXPECT_EQ(clock(36000), "10:00:00");
}

TEST(MeetingSpeakers, KeysNamesAndGuesses) {
    Meeting m;
    EXPECT_EQ(m.name("S3"), "Speaker 3");
    EXPECT_EQ(m.name("S0"), "Speaker 0");
    EXPECT_EQ(m.name("S007"), "Speaker 7");
    EXPECT_EQ(m.name("Sx"), "Sx");
    EXPECT_EQ(m.name("S"), "S");
    EXPECT_EQ(m.name("Sales"), "Sales");
    EXPECT_EQ(m.name("You"), "You");
    EXPECT_FALSE(m.guessed("S1"));

    m.guesses = Meeting::Names{{"S1", "Bob"}, {"S2", "Guess"}};
    m.names = Meeting::Names{{"S2", "Ada"}};
    EXPECT_EQ(m.name("S1"), "Bob");
    EXPECT_EQ(m.name("S2"), "Ada");
    EXPECT_TRUE(m.guessed("S1"));
    EXPECT_FALSE(m.guessed("S2"));
    EXPECT_FALSE(m.guessed("S3"));
}

TEST(MeetingSpeakers, LineKeysAndTheirOrderOfAppearance) {
    Meeting m;
    m.lines = {line("Them", 0, ""), line("You", 1, ""), line("Them", 2, "", "S1"),
               line("Them", 3, ""), line("You", 4, "", "S2")};
    EXPECT_EQ(m.speakerKeys(), (QStringList{"Them", "You", "S1", "S2"}));
    EXPECT_EQ(m.lines[4].key(), "S2");
    EXPECT_EQ(m.lines[3].key(), "Them");
    EXPECT_EQ(m.lines[3].last(), 3);
    m.lines[3].e = 4.5;
    EXPECT_EQ(m.lines[3].last(), 4.5);
}

TEST(MeetingMeasures, WordsAndDuration) {
    Meeting m;
    m.lines = {line("You", 0, "two  words"), line("Them", 1, "   \t ")};
    EXPECT_EQ(m.words(), 2);
    m.start = QDateTime(QDate(2025, 3, 1), QTime(14, 0), QTimeZone::utc());
    EXPECT_EQ(m.duration(m.start.addSecs(90)), 90);
    m.end = m.start.addMSecs(1500);
    EXPECT_EQ(m.duration(m.start.addSecs(90)), 1.5);
}

TEST(MeetingFile, RoundTripsLosingOnlyFractionsOfTheDates) {
    const Meeting m = fullMeeting();
    const auto back = Meeting::decode(m.encode());
    ASSERT_TRUE(back.has_value());
    Meeting expected = m;
    expected.start = QDateTime::fromSecsSinceEpoch(m.start.toSecsSinceEpoch(), QTimeZone::utc());
    expected.end = QDateTime::fromSecsSinceEpoch(m.end->toSecsSinceEpoch(), QTimeZone::utc());
    EXPECT_EQ(*back, expected);
    EXPECT_EQ(back->lines[0].e, 9.123456789012345);
}

TEST(MeetingFile, WritesCompactJsonWithoutNullsAndUpperCaseIds) {
    Meeting m;
    m.title = "Call";
    m.file = "x.md";
    m.lines = {line("You", 1, "Hi.")};
    const QByteArray bytes = m.encode();
    EXPECT_FALSE(bytes.contains('\n'));
    EXPECT_FALSE(bytes.contains("null"));
    const QJsonObject o = QJsonDocument::fromJson(bytes).object();
    EXPECT_EQ(QStringList(o.keys()), (QStringList{"file", "id", "lines", "start", "title"}));
    EXPECT_EQ(QJsonObject(o["lines"].toArray()[0].toObject()).keys(),
              (QStringList{"id", "t", "text", "who"}));
    EXPECT_EQ(o["id"].toString(), m.id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_TRUE(o["start"].toString().endsWith('Z'));
    const auto back = Meeting::decode(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->end || back->app || back->names || back->guesses);
    EXPECT_FALSE(back->lines[0].e || back->lines[0].draft || back->lines[0].speaker);
}

TEST(MeetingFile, OffsetsJsonCannotHoldAreWrittenAsZero) {
    Meeting m = fullMeeting();
    m.lines[0].t = std::nan("");
    m.lines[0].e = HUGE_VAL;
    const auto back = Meeting::decode(m.encode());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->lines[0].t, 0);
    EXPECT_EQ(back->lines[0].e, 0);
}

TEST(MeetingFile, RejectsEveryMalformedForm) {
    const std::vector<std::function<void(QJsonObject&)>> breakages = {
        [](QJsonObject& o) { o["start"] = "2025-03-01T14:05:09.500Z"; },
        [](QJsonObject& o) { o["start"] = "2025-03-01T14:05:09+01:00"; },
        [](QJsonObject& o) { o["end"] = "yesterday"; },
        [](QJsonObject& o) { o.remove("file"); },
        [](QJsonObject& o) { o.remove("lines"); },
        [](QJsonObject& o) { o.remove("title"); },
        [](QJsonObject& o) { o.remove("id"); },
        [](QJsonObject& o) { o.remove("start"); },
        [](QJsonObject& o) { o["title"] = 1; },
        [](QJsonObject& o) { o["lines"] = QJsonObject(); },
        [](QJsonObject& o) { o["app"] = true; },
        [](QJsonObject& o) {
            o["names"] = QJsonObject{{"S1", 3}};
        },
        [](QJsonObject& o) { o["guesses"] = "Bob"; },
        [](QJsonObject& o) { o["id"] = "1234"; },
        inFirstLine([](QJsonObject& l) { l["t"] = "7.9"; }),
        inFirstLine([](QJsonObject& l) { l.remove("who"); }),
        inFirstLine([](QJsonObject& l) { l.remove("text"); }),
        inFirstLine([](QJsonObject& l) { l["draft"] = 1; }),
        inFirstLine([](QJsonObject& l) { l["e"] = "9"; }),
        inFirstLine([](QJsonObject& l) { l["speaker"] = 2; }),
        [](QJsonObject& o) { o["lines"] = QJsonArray{1}; },
    };
    for (size_t i = 0; i < breakages.size(); ++i)
        EXPECT_FALSE(Meeting::decode(changed(breakages[i])).has_value()) << i;
    EXPECT_FALSE(Meeting::decode("[]").has_value());
    EXPECT_TRUE(Meeting::decode(changed([](QJsonObject& o) {
                    o["extra"] = 1;
                    o["app"] = QJsonValue();
                })).has_value());
}

TEST(MeetingFile, DecoderSurvivesArbitraryBytes) {
    const QByteArray valid = fullMeeting().encode();
    for (qsizetype n = 0; n < valid.size(); ++n)
        EXPECT_FALSE(Meeting::decode(valid.left(n)).has_value()) << n;
    QRandomGenerator random(3);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = valid;
        for (int flips = 1 + random.bounded(4); flips > 0; --flips)
            bytes[random.bounded(bytes.size())] = char(random.bounded(256));
        Meeting::decode(bytes);
    }
}

TEST(MeetingExport, HeadingDateLineAndOneParagraphPerLine) {
    Meeting m;
    m.title = "Zoom call";
    m.app = "Zoom";
    m.start = QDateTime(QDate(2025, 3, 1), QTime(14, 5, 9));
    m.end = m.start.addSecs(125);
    m.lines = {line("Them", 7.9, "Hello there."), line("Them", 61, "Bye.", "S2")};
    m.names = Meeting::Names{{"S2", "Ada"}};
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    // Qt versions differ in the space before PM, so the time comes from the locale itself.
    const QString time = us.toString(QTime(14, 5), QLocale::ShortFormat);
    EXPECT_EQ(m.markdown(QDateTime(), us).toStdString(), ("# Zoom call\n\n"
                                                          "Mar 1, 2025 " +
                                                          time +
                                                          " \u00b7 02:05 \u00b7 Zoom\n\n"
                                                          "**Them** (00:07): Hello there.\n\n"
                                                          "**Ada** (01:01): Bye.\n\n")
                                                             .toStdString());
}

TEST(MeetingExport, WithoutAppOrLinesEndsAfterTheDateLine) {
    Meeting m;
    m.title = "Call";
    m.start = QDateTime(QDate(2025, 3, 1), QTime(14, 5, 9));
    const QString text =
        m.markdown(m.start.addSecs(3725), QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(text.toStdString(), "# Call\n\n1. März 2025 14:05 \u00b7 1:02:05\n\n");
}
