#include "app/DictateTest.h"
#include "support/DictationRig.h"
#include "support/FakeKeyWatcher.h"
#include "support/ToneWav.h"
#include "system/HotKey.h"

#include <QFile>
#include <gtest/gtest.h>
// After gtest: X's macros (None …) clash with its names.
#include <X11/keysym.h>

namespace {

using Phase = OverlayModel::Phase;

class DictationControllerTest : public ::testing::Test {
  protected:
    DictationRig rig;
    DictationController& c = rig.controller;
    ManualScheduler& time = rig.time;

    void hold(double seconds, qsizetype samples) {
        c.keyDown();
        rig.speak(samples);
        time.advance(seconds);
        c.keyUp();
    }
};

} // namespace

TEST_F(DictationControllerTest, SmartTapLatchesAndALongPressStopsAfterTheGrace) {
    hold(0.39, 16000);
    time.advance(5);
    EXPECT_TRUE(c.isRecording() && c.isToggleMode()) << "a 0.39 s tap latches";
    c.keyDown();
    EXPECT_FALSE(c.isRecording());
    ASSERT_EQ(rig.requests.size(), 1u);
    EXPECT_EQ(rig.requests[0].samples(), 16000);

    hold(0.4, 16000);
    EXPECT_TRUE(c.isRecording());
    time.advance(0.24);
    EXPECT_TRUE(c.isRecording());
    time.advance(0.02);
    EXPECT_FALSE(c.isRecording());
    EXPECT_EQ(rig.requests.size(), 2u);
}

TEST_F(DictationControllerTest, ADelayedStopNeverEndsALaterRecording) {
    rig.settings.setRecordMode(RecordMode::hold);
    hold(1, 16000);
    time.advance(0.1);
    c.keyDown(); // back within the grace: one recording, no break
    time.advance(1);
    EXPECT_TRUE(c.isRecording());
    c.keyUp();
    time.advance(0.26);
    EXPECT_FALSE(c.isRecording());
    EXPECT_EQ(rig.requests.size(), 1u);

    // Released, stopped by the hands-free key, pressed again: the old stop is still pending.
    hold(1, 16000);
    c.handsFreeDown();
    EXPECT_FALSE(c.isRecording());
    c.keyDown();
    time.advance(0.3);
    EXPECT_TRUE(c.isRecording());
}

TEST_F(DictationControllerTest, OnlyRecordingsLongerThanTheMinimumAreSent) {
    rig.settings.setRecordMode(RecordMode::toggle);
    hold(0.1, 6400);
    c.keyDown();
    time.advance(0);
    EXPECT_TRUE(rig.requests.empty());
    EXPECT_EQ(rig.icons.back(), IconState::idle);
    EXPECT_FALSE(rig.overlay.isShowing());

    hold(0.1, 6401);
    c.keyDown();
    ASSERT_EQ(rig.requests.size(), 1u);
    EXPECT_EQ(rig.icons.back(), IconState::busy);
    EXPECT_EQ(rig.phase(), Phase::transcribing());
}

TEST_F(DictationControllerTest, ALongDictationGoesInPiecesCutInTheQuietestWindow) {
    rig.settings.setVocab({{QUuid::createUuid(), "Voxmere", ""}});
    c.keyDown();
    rig.speak(200 * 1600);
    rig.speak(1600, 10); // the quietest 0.1 s, from 20.0 s
    rig.speak(384000 - 201 * 1600 + 5 * 16000);
    time.advance(0.3);
    c.keyUp();
    time.advance(0.6);
    EXPECT_TRUE(rig.requests.empty()) << "under 24 s pending until the first tick after it";
    time.advance(0.2);
    ASSERT_EQ(rig.requests.size(), 1u);
    EXPECT_EQ(rig.requests[0].samples(), 1600 * 200 + 800);
    EXPECT_EQ(rig.requests[0].prompt, "Voxmere");
    EXPECT_EQ(rig.gate.inFlight(), 1);

    QStringList words;
    for (int i = 1; i <= 25; ++i)
        words << QString("w%1").arg(i);
    rig.answer(0, words.join(' '));
    time.advance(1);
    EXPECT_EQ(rig.requests.size(), 1u) << "the rest is short of 24 s";
    c.keyDown(); // the smart tap latched, so this stops
    ASSERT_EQ(rig.requests.size(), 2u);
    EXPECT_EQ(rig.requests[1].samples(), 384000 + 5 * 16000 - (1600 * 200 + 800));
    EXPECT_EQ(rig.requests[1].prompt, "Voxmere. " + words.mid(5).join(' '));
    rig.answer(1, "the end.");
    EXPECT_EQ(rig.pastes, QStringList{"W1 " + words.mid(1).join(' ') + " the end."});
    EXPECT_EQ(rig.gate.inFlight(), 0);
}

TEST_F(DictationControllerTest, AFailedEarlyPieceIsSentAgainAndALostOneIsSaid) {
    rig.settings.setRecordMode(RecordMode::toggle);
    hold(0.1, 24 * 16000 + 2 * 16000);
    time.advance(1);
    ASSERT_EQ(rig.requests.size(), 1u);
    rig.answer(0, std::nullopt);
    c.keyDown();
    ASSERT_EQ(rig.requests.size(), 3u) << "the failed piece again, then the rest";
    EXPECT_EQ(rig.requests[1].wav, rig.requests[0].wav);
    rig.answer(2, "and the rest.");
    EXPECT_TRUE(rig.pastes.isEmpty()) << "waits for the piece sent again";
    rig.answer(1, std::nullopt);
    EXPECT_EQ(rig.pastes, QStringList{"And the rest."});
    EXPECT_EQ(rig.phase(),
              Phase::message("Part of this dictation was lost — the engine did not answer"));
    time.advance(3.1);
    EXPECT_FALSE(rig.overlay.isShowing());

    // Nothing came back at all: the engine's message, nothing pasted.
    hold(0.1, 16000);
    c.keyDown();
    rig.answer(3, std::nullopt);
    EXPECT_EQ(rig.phase(), Phase::message("Engine not ready — try again"));
    EXPECT_EQ(rig.pastes.size(), 1);
}

TEST_F(DictationControllerTest, AnAbandonedDictationIsKeptInTheHistoryButNotPasted) {
    rig.settings.setRecordMode(RecordMode::toggle);
    hold(0.1, 32000);
    c.keyDown();
    ASSERT_EQ(rig.requests.size(), 1u);
    hold(0.1, 32000); // a new recording while the last piece is at the engine
    rig.answer(0, "first thoughts");
    EXPECT_TRUE(rig.pastes.isEmpty());
    ASSERT_EQ(rig.history.items().size(), 1);
    EXPECT_EQ(rig.history.items()[0].text, "First thoughts");
    EXPECT_TRUE(c.isRecording()) << "the new recording is untouched";
    EXPECT_EQ(rig.phase(), Phase::recording());

    c.cancelIfHolding(0);
    EXPECT_TRUE(c.isRecording()) << "a latched recording ignores the cancel";
    c.keyDown();
    rig.answer(1, "second");
    EXPECT_EQ(rig.pastes, QStringList{"Second"});
}

TEST_F(DictationControllerTest, AModifierComboWithinTheFeedbackDelayShowsNothing) {
    c.keyDown();
    time.advance(0.05);
    c.cancelIfHolding(0);
    time.advance(1);
    EXPECT_FALSE(c.isRecording());
    EXPECT_EQ(rig.sounds, 0);
    EXPECT_TRUE(std::find(rig.icons.begin(), rig.icons.end(), IconState::recording) ==
                rig.icons.end());
    EXPECT_FALSE(rig.overlay.isShowing());

    c.keyDown();
    time.advance(0.06);
    EXPECT_EQ(rig.icons.back(), IconState::recording);
    EXPECT_EQ(rig.sounds, 1);
    EXPECT_EQ(rig.phase(), Phase::recording());
    EXPECT_EQ(c.target(), "Focusapp");
}

TEST_F(DictationControllerTest, KeysWaitForTheSelfTestWhoseTextGoesToItsFileNotThePaste) {
    FakeKeyWatcher keys;
    HotKey hotKey(rig.settings, keys);
    QObject::connect(&hotKey, &HotKey::keyPressed, [this](int) { c.keyDown(); });
    QObject::connect(&hotKey, &HotKey::keyReleased, [this](int) { c.keyUp(); });
    ASSERT_TRUE(hotKey.registerKeys());
    const QString wav = rig.dir.filePath("in.wav"), out = rig.dir.filePath("out.txt");
    QFile file(wav);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(toneWav(1));
    file.close();

    DictateTest::startIfAsked({"--dictate-test", wav, out}, c, rig.mic, hotKey, time);
    time.advance(DictateTest::defaultDelay);
    ASSERT_TRUE(c.isRecording());
    keys.press(XK_Alt_R);
    keys.release(XK_Alt_R);
    time.advance(DictateTest::tick + 0.01);
    EXPECT_TRUE(c.isRecording()) << "the user's key must not stop the test";
    time.advance(DictateTest::tick + DictateTest::stopDelay);
    EXPECT_FALSE(c.isRecording());
    EXPECT_FALSE(rig.mic.testFeed());
    ASSERT_EQ(rig.requests.size(), 1u);
    EXPECT_EQ(rig.requests[0].samples(), 16000);
    rig.answer(0, " um hello there ");
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "um hello there\n---\nHello there");
    EXPECT_TRUE(rig.pastes.isEmpty());
    EXPECT_TRUE(rig.history.items().isEmpty());

    keys.press(XK_Alt_R);
    EXPECT_TRUE(c.isRecording()) << "the keys work once the test has stopped";
}
