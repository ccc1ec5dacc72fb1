#include "calls/LiveTranscript.h"

#include "meetings/MeetingStore.h"
#include "support/FakeTranscriber.h"
#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"
#include "support/TempSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
CallJob job(const QString& who, double t, const QUuid& turn, bool final, double seconds = 1) {
    return {std::vector<int16_t>(size_t(seconds * 16000), 100), t, MeetingSamples::key(who), turn,
            final};
}

QString words(int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString("w%1").arg(i);
    return out.join(' ');
}

class LiveTranscriptTest : public ::testing::Test {
  protected:
    LiveTranscriptTest() {
        Meeting m = MeetingSamples::meeting();
        m.end.reset();
        id = m.id;
        store.add(m);
        settings.settings.setVocab({});
    }

    // Handles the job and answers its request (if it makes one) with `text`.
    void run(const CallJob& j, std::optional<QString> text) {
        bool released = false;
        live.handle(j, id, [&] { released = true; });
        if (engine.waiting())
            engine.answer(std::move(text));
        clock.advance(0);
        ASSERT_TRUE(released);
    }

    const QList<MeetingLine>& lines() const { return store.find(id)->lines; }

    QTemporaryDir dir;
    ManualScheduler clock;
    TempSettings settings;
    MeetingStore store{dir.path(), clock};
    FakeTranscriber engine;
    LiveTranscript live{store, settings.settings, clock, engine.function()};
    QUuid id;
};
} // namespace

TEST(LiveTranscriptKeep, DropsWhatTheEngineInventsForNoise) {
    EXPECT_FALSE(LiveTranscript::keep("", 3));
    EXPECT_FALSE(LiveTranscript::keep("[BLANK_AUDIO]", 3));
    EXPECT_FALSE(LiveTranscript::keep("(music)", 3));
    EXPECT_FALSE(LiveTranscript::keep("♪ la la", 3));
    EXPECT_FALSE(LiveTranscript::keep("Thank you.", 1.5));
    EXPECT_TRUE(LiveTranscript::keep("Thank you.", 2.5));
    EXPECT_FALSE(LiveTranscript::keep("Um, uh.", 3));
    EXPECT_FALSE(LiveTranscript::keep("So the", 3));
    EXPECT_FALSE(LiveTranscript::keep("and, um, it", 3));
    EXPECT_TRUE(LiveTranscript::keep("So the budget", 3));
    EXPECT_TRUE(LiveTranscript::keep("and the it is", 3));
    EXPECT_TRUE(LiveTranscript::keep("I'm", 3));
    EXPECT_TRUE(LiveTranscript::keep("42", 1));
}

TEST_F(LiveTranscriptTest, PiecesJoinOneDraftLineThatTheTurnsTextReplaces) {
    const QUuid turn = QUuid::createUuid();
    run(job("Them", 2, turn, false), "We shipped it");
    run(job("Them", 3, turn, false), "Yesterday evening.");
    run(job("Them", 4, turn, false), "The rest waits");
    ASSERT_EQ(lines().size(), 1);
    EXPECT_EQ(lines()[0].text, "We shipped it yesterday evening. The rest waits");
    EXPECT_EQ(lines()[0].draft, true);
    EXPECT_EQ(lines()[0].t, 2);
    EXPECT_EQ(lines()[0].e, 5);

    run(job("Them", 2, turn, true, 3), "We shipped it yesterday evening, the rest waits.");
    ASSERT_EQ(lines().size(), 1);
    EXPECT_EQ(lines()[0].text, "We shipped it yesterday evening, the rest waits.");
    EXPECT_FALSE(lines()[0].draft.has_value());
}

TEST_F(LiveTranscriptTest, ContinuationKeepsTheCaseOfINamesAndAcronyms) {
    const QUuid turn = QUuid::createUuid();
    run(job("You", 0, turn, false), "Then we");
    run(job("You", 1, turn, false), "I think");
    run(job("You", 2, turn, false), "I'd say");
    run(job("You", 3, turn, false), "NASA knows");
    run(job("You", 4, turn, false), "Alright");
    EXPECT_EQ(lines()[0].text, "Then we I think I'd say NASA knows alright");
}

TEST_F(LiveTranscriptTest, AOnePieceTurnIsFinalizedWithItsDraftTextWithoutARequest) {
    const QUuid turn = QUuid::createUuid();
    run(job("You", 1, turn, false), "Hello there");
    CallJob final = job("You", 1, turn, true);
    final.samples.clear();
    run(final, std::nullopt);
    EXPECT_EQ(engine.requests(), 1);
    EXPECT_EQ(lines()[0].text, "Hello there");
    EXPECT_FALSE(lines()[0].draft.has_value());
}

TEST_F(LiveTranscriptTest, AFinalThatRepeatsItsPromptLeavesTheDraftInPlace) {
    store.addLine(id, MeetingSamples::line("Them", 0, "Let us look at the numbers for March", 4));
    const QUuid turn = QUuid::createUuid();
    run(job("Them", 6, turn, false), "Sales went up");
    live.handle(job("Them", 6, turn, true), id, [] {});
    EXPECT_EQ(engine.prompt(), "Let us look at the numbers for March");
    engine.answer("the numbers for March.");
    clock.advance(0);
    EXPECT_EQ(lines()[1].text, "Sales went up");
    EXPECT_FALSE(lines()[1].draft.has_value());
}

TEST_F(LiveTranscriptTest, ContextIsTheLast25WordsOfTheLineOrTheSideLineEndedWithin20s) {
    settings.settings.setVocab({{QUuid::createUuid(), "Voxmere", ""}});
    store.addLine(id, MeetingSamples::line("Them", 0, words(1, 30), 10));
    store.addLine(id, MeetingSamples::line("You", 12, "mine", 13));

    const QUuid near = QUuid::createUuid();
    live.handle(job("Them", 29, near, false), id, [] {});
    EXPECT_EQ(engine.prompt(), "Voxmere. " + words(6, 30));
    engine.answer("Fresh line");
    clock.advance(0);

    // A draft continuing its own line is primed with that line, not the earlier one.
    live.handle(job("Them", 31, near, false), id, [] {});
    EXPECT_EQ(engine.prompt(), "Voxmere. Fresh line");
    engine.answer(std::nullopt);
    clock.advance(0);

    // The turn's whole text skips its own draft, and the line before ended 20 s or more ago.
    live.handle(job("Them", 30, near, true), id, [] {});
    EXPECT_EQ(engine.prompt(), "Voxmere");
}

TEST_F(LiveTranscriptTest, TwoFailuresInARowAreTroubleUntilARequestSucceeds) {
    std::vector<bool> changes;
    QObject::connect(&live, &LiveTranscript::troubleChanged,
                     [&](bool on) { changes.push_back(on); });
    run(job("You", 0, QUuid::createUuid(), false), std::nullopt);
    EXPECT_FALSE(live.engineTrouble());
    run(job("You", 1, QUuid::createUuid(), false), std::nullopt);
    EXPECT_TRUE(live.engineTrouble());
    run(job("You", 2, QUuid::createUuid(), false), std::nullopt);
    run(job("You", 3, QUuid::createUuid(), false), "Back again");
    EXPECT_FALSE(live.engineTrouble());
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(live.lostWords());
    EXPECT_EQ(lines().size(), 1);
}
