#include "text/Vocabulary.h"
#include "text/VocabEntry.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {
VocabEntry entry(const QString& word, const QString& soundsLike = {}) {
    return VocabEntry{QUuid::createUuid(), word, soundsLike};
}
} // namespace

TEST(Vocabulary, WordsSkipEmptyOnesAndKeepOrder) {
    const QList<VocabEntry> vocab = {entry("GitHub"), entry(""), entry("Kubernetes")};
    EXPECT_EQ(Vocabulary::words(vocab), (QStringList{"GitHub", "Kubernetes"}));
    EXPECT_EQ(Vocabulary::prompt({entry("GitHub"), entry("")}), "GitHub");
}

TEST(Vocabulary, PromptJoinsOnlyTheNonEmptyParts) {
    EXPECT_EQ(Vocabulary::prompt({}), "");
    EXPECT_EQ(Vocabulary::prompt({}, "the end of the last piece"), "the end of the last piece");
    EXPECT_EQ(Vocabulary::prompt({entry("GitHub"), entry("Kubernetes")}, "so then"),
              "GitHub, Kubernetes. so then");
    EXPECT_EQ(Vocabulary::prompt({entry("")}, ""), "");
}

TEST(Vocabulary, LastWordsKeepsTheTailSplitAtSpaces) {
    QStringList many;
    for (int i = 1; i <= 25; ++i)
        many.append(QString::number(i));
    EXPECT_EQ(Vocabulary::lastWords(many.join("  ")), many.mid(5).join(' '));
    EXPECT_EQ(Vocabulary::lastWords(" a  b "), "a b");
    EXPECT_EQ(Vocabulary::lastWords(""), "");
}

TEST(VocabEntry, RoundTripsAndRejectsTheWholeListForOneBadEntry) {
    const QList<VocabEntry> vocab = {entry("GitHub", "git hub"), entry("", "")};
    EXPECT_EQ(VocabEntry::decode(VocabEntry::encode(vocab)), vocab);
    EXPECT_EQ(VocabEntry::decode("[]"), QList<VocabEntry>{});
    const char* bad[] = {
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","word":"a"}])",
        R"([{"id":"not-a-uuid","word":"a","soundsLike":""}])",
        R"([{"id":"{6F9619FF-8B86-D011-B42D-00C04FC964FF}","word":"a","soundsLike":""}])",
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","word":1,"soundsLike":""}])",
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","word":"a","soundsLike":""}, 3])",
        R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","word":"a","soundsLike":""})",
        "[",
        "",
    };
    for (const char* bytes : bad)
        EXPECT_FALSE(VocabEntry::decode(bytes).has_value()) << bytes;
}

TEST(VocabEntry, AcceptsKeysInAnyOrderAndLowerCaseIdentifiers) {
    const auto list = VocabEntry::decode(
        R"([{"soundsLike":"x","word":"W","id":"6f9619ff-8b86-d011-b42d-00c04fc964ff","extra":1}])");
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(list->at(0).id,
              QUuid::fromString(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF")));
}

TEST(VocabEntry, DecoderSurvivesArbitraryBytes) {
    const QByteArray valid =
        VocabEntry::encode({entry("GitHub", "git hub"), entry("K8s", "kates")});
    for (qsizetype n = 0; n < valid.size(); ++n)
        EXPECT_FALSE(VocabEntry::decode(valid.left(n)).has_value()) << n;
    QRandomGenerator random(5);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes = valid;
        for (int flips = 1 + random.bounded(4); flips > 0; --flips)
            bytes[random.bounded(bytes.size())] = char(random.bounded(256));
        VocabEntry::decode(bytes);
    }
}
