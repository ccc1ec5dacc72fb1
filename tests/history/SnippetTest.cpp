#include "history/Snippet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* good = R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","date":"2025-03-01T14:05:09Z",)"
                   R"("text":"Hello there.","raw":"hello there","seconds":1.5,"app":"Firefox"}])";

QByteArray withEntry(const std::function<void(QJsonObject&)>& change) {
    QJsonArray array = QJsonDocument::fromJson(good).array();
    QJsonObject o = array[0].toObject();
    change(o);
    array[0] = o;
    return QJsonDocument(array).toJson();
}

} // namespace

TEST(Snippet, RoundTripsWithAndWithoutApp) {
    const QDateTime when(QDate(2025, 3, 1), QTime(14, 5, 9), QTimeZone::utc());
    const QList<Snippet> list = {{QUuid::createUuid(), when, "Text.", "text", 2.25, "Slack"},
                                 {QUuid::createUuid(), when, "", "", 0, std::nullopt}};
    const QByteArray bytes = Snippet::encode(list);
    EXPECT_EQ(Snippet::decode(bytes), list);
    const QJsonArray array = QJsonDocument::fromJson(bytes).array();
    EXPECT_EQ(array[0].toObject().value("date").toString(), "2025-03-01T14:05:09Z");
    EXPECT_FALSE(array[1].toObject().contains("app"));
    EXPECT_FALSE(bytes.contains('\n'));
}

TEST(Snippet, ALengthJsonCannotHoldIsWrittenAsZeroRatherThanSpoilingTheFile) {
    Snippet s;
    s.seconds = std::nan("");
    const auto back = Snippet::decode(Snippet::encode({s}));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->front().seconds, 0);
}

TEST(Snippet, ReadsTheStoredForm) {
    const auto list = Snippet::decode(good);
    ASSERT_TRUE(list && list->size() == 1);
    const Snippet& s = list->front();
    EXPECT_EQ(s.id.toString(QUuid::WithoutBraces).toUpper(),
              "6F9619FF-8B86-D011-B42D-00C04FC964FF");
    EXPECT_EQ(s.date.toSecsSinceEpoch(), 1740837909);
    EXPECT_EQ(s.app, "Firefox");
    EXPECT_EQ(s.seconds, 1.5);
    const auto nullApp =
        Snippet::decode(withEntry([](QJsonObject& o) { o["app"] = QJsonValue(); }));
    ASSERT_TRUE(nullApp.has_value());
    EXPECT_FALSE(nullApp->front().app.has_value());
}

TEST(Snippet, OneBadEntryRejectsTheWholeFile) {
    const std::vector<std::function<void(QJsonObject&)>> breakages = {
        [](QJsonObject& o) { o.remove("raw"); },
        [](QJsonObject& o) { o.remove("id"); },
        [](QJsonObject& o) { o.remove("date"); },
        [](QJsonObject& o) { o.remove("text"); },
        [](QJsonObject& o) { o.remove("seconds"); },
        [](QJsonObject& o) { o["seconds"] = "1.5"; },
        [](QJsonObject& o) { o["text"] = 3; },
        [](QJsonObject& o) { o["app"] = 3; },
        [](QJsonObject& o) { o["id"] = "nope"; },
        [](QJsonObject& o) { o["date"] = "2025-03-01T14:05:09.250Z"; },
        [](QJsonObject& o) { o["date"] = 1740837909; },
    };
    for (size_t i = 0; i < breakages.size(); ++i)
        EXPECT_FALSE(Snippet::decode(withEntry(breakages[i])).has_value()) << i;
    EXPECT_FALSE(Snippet::decode("{}").has_value());
    EXPECT_FALSE(Snippet::decode(R"([1])").has_value());
}

TEST(Snippet, DecoderSurvivesArbitraryBytes) {
    const QByteArray valid = Snippet::encode(QList<Snippet>(20));
    for (qsizetype n = 0; n < valid.size(); ++n)
        EXPECT_FALSE(Snippet::decode(valid.left(n)).has_value()) << n;
    QRandomGenerator random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes = valid;
        for (int flips = 1 + random.bounded(4); flips > 0; --flips)
            bytes[random.bounded(bytes.size())] = char(random.bounded(256));
        Snippet::decode(bytes);
        QByteArray noise(random.bounded(200), 0);
        for (auto& b : noise)
            b = char(random.bounded(256));
        Snippet::decode(noise);
    }
}

TEST(Snippet, WordsCountOnlyNonEmptyPieces) {
    Snippet s;
    s.text = "one\ttwo\n\nthree  four ";
    EXPECT_EQ(s.words(), 4);
    s.text = "";
    EXPECT_EQ(s.words(), 0);
}
