#include "calls/Retranscriber.h"

#include "calls/SpeakerFinder.h"
#include "core/Paths.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "support/CallWork.h"
#include "support/MeetingSamples.h"
#include "support/TempSettings.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using Turn = Retranscriber::Turn;

namespace {
const SpeakerKey you = SpeakerKey::you();
const SpeakerKey them = SpeakerKey::them();

// A side's audio: loud bursts of the given lengths, each followed by two seconds of quiet.
std::vector<int16_t> bursts(const QList<double>& seconds, int16_t amplitude = 8000) {
    std::vector<int16_t> out;
    for (double s : seconds) {
        for (int i = 0; i < int(s * 16000); ++i)
            out.push_back(int16_t(amplitude * std::sin(2 * M_PI * 220 * i / 16000)));
        out.resize(out.size() + 32000);
    }
    return out;
}

Retranscriber::Ask answers(QList<std::optional<QString>> replies, int& asked) {
    return [replies, &asked](const QByteArray&, const QString&) {
        const int n = asked++;
        return n < replies.size() ? replies[n] : QString("Point number %1 is done.").arg(n);
    };
}

QStringList texts(const Meeting& m) {
    QStringList out;
    for (const auto& l : m.lines)
        out << l.who.stored() + ": " + l.text;
    return out;
}
} // namespace

TEST(RetranscriberRebuild, AFailedRequestFailsTheRunAndThreeInARowEndIt) {
    const QList<Turn> turns{{them, 0, 0, 16000},
                            {them, 10, 0, 16000},
                            {them, 20, 0, 16000},
                            {them, 30, 0, 16000},
                            {them, 40, 0, 16000}};
    const QHash<SpeakerKey, std::vector<int16_t>> audio{{them, bursts({1})}};
    int asked = 0;
    auto r = Retranscriber::rebuild(MeetingSamples::meeting(), turns, audio, {},
                                    answers({std::nullopt, std::nullopt, "We can start now, I think."}, asked));
    EXPECT_EQ(asked, 5);
    EXPECT_TRUE(r.failures);
    EXPECT_EQ(r.meeting.lines.size(), 3);

    asked = 0;
    r = Retranscriber::rebuild(MeetingSamples::meeting(), turns, audio, {},
                               answers({std::nullopt, std::nullopt, std::nullopt}, asked));
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(r.failures);
}

TEST(RetranscriberRebuild, DropsRepeatsOfTheSameSideAndEchoesOfTheOther) {
    const QList<Turn> turns{
        {them, 0, 0, 48000}, {them, 4, 0, 16000}, {them, 6, 0, 16000}, {you, 7, 0, 16000}};
    const QHash<SpeakerKey, std::vector<int16_t>> audio{{them, bursts({3})}, {you, bursts({1})}};
    int asked = 0;
    const auto r = Retranscriber::rebuild(
        MeetingSamples::meeting(), turns, audio, {},
        answers({"We should ship the release on Friday.", "Ship the release on Friday!",
                 "On Friday.", "We should ship the release on Friday"},
                asked));
    EXPECT_EQ(texts(r.meeting),
              (QStringList{"Them: We should ship the release on Friday.", "Them: On Friday."}));
    EXPECT_EQ(r.meeting.lines[0].e, 3);
}

TEST(RetranscriberCut, KeepsOnlyVoicedTurnsOfTheUserAndPutsThemFirstAtEqualStarts) {
    const auto turns = Retranscriber::cut(
        {{you, bursts({1.5})}, {them, bursts({1.5, 1.5})}, {you, bursts({1.5}, 60)}});
    ASSERT_EQ(turns.size(), 3);
    EXPECT_EQ(turns[0].who, you);
    EXPECT_EQ(turns[1].who, them);
    EXPECT_EQ(turns[0].start, turns[1].start);
    EXPECT_EQ(turns[2].who, them);
    EXPECT_EQ(turns[2].offset, qint64(turns[2].start * 16000 + 0.5));
    EXPECT_GT(turns[2].count, 16000);
}

namespace {
struct Rerun : CallWork {
    SpeakerFinder finder{{temp.settings, store, audio, speakers, people, {}, engine.function()}};
    QStringList alerts;
    std::unique_ptr<Retranscriber> rerun = std::make_unique<Retranscriber>(Retranscriber::Services{
        temp.settings, store, audio, finder, engine.function(), [] { return false; }});
    Meeting meeting = MeetingSamples::meeting({MeetingSamples::line("Them", 0, "old words", 2)});

    Rerun() {
        QObject::connect(rerun.get(), &Retranscriber::failed,
                         [this](const QString& message, const QString& text) {
                             alerts << message + "|" + text;
                         });
        meeting.names = Meeting::Names{{MeetingSamples::key("S1"), "Ann"}};
        store.add(meeting);
        MeetingSamples::write(audio.url(meeting.id, them, "wav"), Wav::bytes(bursts({1.5, 1.5})));
    }
};
} // namespace

TEST(Retranscribing, ReplacesTheLinesKeepsTheNamesAndReportsProgress) {
    Rerun r;
    std::optional<bool> ok;
    r.rerun->retranscribe(r.meeting.id, [&](bool result) { ok = result; });
    EXPECT_EQ(r.rerun->rerunID(), r.meeting.id);
    for (const char* said : {"First thing on the list today.", "Second thing on the list today."}) {
        ASSERT_TRUE(waitFor([&] { return r.engine.waiting() == 1; }));
        r.engine.answer(QString(said));
    }
    ASSERT_TRUE(waitFor([&] { return ok.has_value(); }));
    EXPECT_TRUE(*ok);
    EXPECT_FALSE(r.rerun->rerunID());
    EXPECT_EQ(r.rerun->rerunProgress(), 1);
    const Meeting& m = *r.store.find(r.meeting.id);
    EXPECT_EQ(texts(m), (QStringList{"Them: First thing on the list today.",
                                     "Them: Second thing on the list today."}));
    EXPECT_EQ(m.names, r.meeting.names);
}

TEST(Retranscribing, AnEngineThatGivesUpLeavesTheTranscriptAndSaysWhy) {
    Rerun r;
    std::optional<bool> ok;
    r.rerun->retranscribe(r.meeting.id, [&](bool result) { ok = result; });
    r.rerun->retranscribe(r.meeting.id, [&](bool) { FAIL() << "a second run started"; });
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(waitFor([&] { return r.engine.waiting() == 1; }));
        r.engine.answer(std::nullopt);
    }
    ASSERT_TRUE(waitFor([&] { return ok.has_value(); }));
    EXPECT_FALSE(*ok);
    EXPECT_EQ(r.alerts, (QStringList{"Couldn't transcribe the call again|The speech engine didn't "
                                     "respond for part of the call. The transcript was left as it "
                                     "was."}));
    EXPECT_EQ(texts(*r.store.find(r.meeting.id)), QStringList{"Them: old words"});
}

TEST(Retranscribing, QuittingWhileWaitingForTheEngineDoesNotHang) {
    Rerun r;
    r.rerun->retranscribe(r.meeting.id);
    ASSERT_TRUE(waitFor([&] { return r.engine.waiting() == 1; }));
    r.rerun.reset();
    r.engine.answer(QString("Nobody is listening any more."));
}
