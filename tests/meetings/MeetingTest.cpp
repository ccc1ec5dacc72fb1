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

using MeetingSamples::key;
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
    m.names = Meeting::Names{{key("S2"), "Ada"}};
    m.guesses = Meeting::Names{{key("S1"), "Bob"}};
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
    EXPECT_EQ(m.name(key("S3")), "Speaker 3");
    EXPECT_EQ(m.name(key("S0")), "Speaker 0");
    EXPECT_EQ(m.name(key("S007")), "Speaker 7");
    EXPECT_EQ(m.name(key("Sx")), "Sx");
    EXPECT_EQ(m.name(key("S")), "S");
    EXPECT_EQ(m.name(key("Sales")), "Sales");
    EXPECT_EQ(m.name(key("You")), "You");
    EXPECT_FALSE(m.guessed(key("S1")));

    m.guesses = Meeting::Names{{key("S1"), "Bob"}, {key("S2"), "Guess"}};
    m.names = Meeting::Names{{key("S2"), "Ada"}};
    EXPECT_EQ(m.name(key("S1")), "Bob");
    EXPECT_EQ(m.name(key("S2")), "Ada");
    EXPECT_TRUE(m.guessed(key("S1")));
    EXPECT_FALSE(m.guessed(key("S2")));
    EXPECT_FALSE(m.guessed(key("S3")));
}

TEST(MeetingSpeakers, LineKeysAndTheirOrderOfAppearance) {
    Meeting m;
    m.lines = {line("Them", 0, ""), line("You", 1, ""), line("Them", 2, "", "S1"),
               line("Them", 3, ""), line("You", 4, "", "S2")};
    EXPECT_EQ(m.speakerKeys(), (QList{key("Them"), key("You"), key("S1"), key("S2")}));
    EXPECT_EQ(m.lines[4].key(), key("S2"));
    EXPECT_EQ(m.lines[3].key(), key("Them"));
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

// A record as this version and the ones before it write it: the user, the far side, numbered
// people (one spelled S007), and a side and a speaker this version doesn't know.
TEST(MeetingFile, EverySpeakerKeyIsWrittenBackAsItWasStored) {
    const QByteArray stored =
        R"({"end":"2025-03-01T14:06:00Z","file":"a.md","guesses":{"S2":"Bob"},)"
        R"("id":"8D3F8C9A-0B6E-4C52-9F1D-2A7E5B4C3D21","lines":[)"
        R"({"id":"00000000-0000-4000-8000-000000000001",)"
        R"("t":1,"text":"Hi.","who":"You"},)"
        R"({"id":"00000000-0000-4000-8000-000000000002",)"
        R"("speaker":"S1","t":2,"text":"One.","who":"Them"},)"
        R"({"id":"00000000-0000-4000-8000-000000000003",)"
        R"("speaker":"S2","t":3,"text":"Two.","who":"Them"},)"
        R"({"id":"00000000-0000-4000-8000-000000000004",)"
        R"("t":4,"text":"All.","who":"Them"},)"
        R"({"id":"00000000-0000-4000-8000-000000000005",)"
        R"("speaker":"S007","t":5,"text":"Seven.","who":"Them"},)"
        R"({"id":"00000000-0000-4000-8000-000000000006",)"
        R"("speaker":"Sales","t":6,"text":"Deal.","who":"Them"},)"
        R"({"id":"00000000-0000-4000-8000-000000000007",)"
        R"("t":7,"text":"Host.","who":"Host"}],)"
        R"("names":{"Sales":"Dana","You":"Me"},"start":"2025-03-01T14:05:00Z","title":"Call"})";
    const auto m = Meeting::decode(stored);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->encode().toStdString(), stored.toStdString());

    EXPECT_TRUE(m->lines[0].who.isYou());
    EXPECT_TRUE(m->lines[3].key().isThem());
    EXPECT_EQ(m->lines[2].key(), SpeakerKey::numbered(2));
    EXPECT_EQ(m->lines[4].key().number(), 7);
    EXPECT_NE(m->lines[4].key(), SpeakerKey::numbered(7)) << "S007 and S7 stay two speakers";
    const SpeakerKey host = m->lines[6].who;
    EXPECT_FALSE(host.isYou() || host.isThem() || host.number());
    EXPECT_TRUE(m->markdown(QDateTime(), QLocale(QLocale::English))
                    .endsWith("**Me** (00:01): Hi.\n\n**Speaker 1** (00:02): One.\n\n"
                              "**Bob** (00:03): Two.\n\n**Them** (00:04): All.\n\n"
                              "**Speaker 7** (00:05): Seven.\n\n**Dana** (00:06): Deal.\n\n"
                              "**Host** (00:07): Host.\n\n"));
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
    m.names = Meeting::Names{{key("S2"), "Ada"}};
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
