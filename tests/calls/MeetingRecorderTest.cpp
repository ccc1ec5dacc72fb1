#include "calls/MeetingRecorder.h"

#include "audio/Mic.h"
#include "calls/CallDetector.h"
#include "calls/CallJobs.h"
#include "calls/MeetingLevels.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "platform/PulseSourceOutput.h"
#include "support/FakeMicCapture.h"
#include "support/FakeTranscriber.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <mutex>

namespace {
using Samples = std::vector<int16_t>;

Samples tone(double seconds, int16_t value) {
    Samples out(size_t(seconds * 16000));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = i % 2 ? int16_t(-value) : value;
    return out;
}

// The computer's audio as the tests play it: each start may succeed or fail, a running tap can
// die, and the default output can change.
class Taps {
  public:
    class Tap : public AudioTap {
      public:
        Tap(Taps& taps, OnSamples onSamples) : taps(taps), onSamples(std::move(onSamples)) {}
        bool start() override {
            std::lock_guard guard(taps.lock);
            ++taps.starts;
            uid = taps.output;
            if (!taps.startsSucceed)
                return false;
            taps.dead = false;
            taps.running = this;
            return true;
        }
        void stop() override {
            std::lock_guard guard(taps.lock);
            if (taps.running == this)
                taps.running = nullptr;
        }
        QString outputUID() const override { return uid; }
        bool failed() const override {
            std::lock_guard guard(taps.lock);
            return taps.dead;
        }

        Taps& taps;
        OnSamples onSamples;
        QString uid;
    };

    auto factory() {
        return [this](AudioTap::OnSamples onSamples) -> std::unique_ptr<AudioTap> {
            return std::make_unique<Tap>(*this, std::move(onSamples));
        };
    }
    auto defaultOutput() {
        return [this]() -> std::optional<QString> {
            std::lock_guard guard(lock);
            return output;
        };
    }
    void play(const Samples& samples) {
        std::lock_guard guard(lock);
        if (running)
            running->onSamples(samples);
    }
    void set(bool succeed, const QString& out, bool died = false) {
        std::lock_guard guard(lock);
        startsSucceed = succeed;
        output = out;
        dead = died;
    }
    // The running capture dies with its device, and the server has moved on to `out`.
    void die(const QString& out) {
        Tap* tap = nullptr;
        {
            std::lock_guard guard(lock);
            dead = true;
            output = out;
            tap = running;
        }
        if (tap && tap->onFailed)
            tap->onFailed();
    }
    int startCount() {
        std::lock_guard guard(lock);
        return starts;
    }
    QString runningOn() {
        std::lock_guard guard(lock);
        return running ? running->uid : QString();
    }

  private:
    std::mutex lock;
    bool startsSucceed = true;
    bool dead = false;
    QString output = "speakers";
    int starts = 0;
    Tap* running = nullptr;
};

class MeetingRecorderTest : public ::testing::Test {
  protected:
    MeetingRecorderTest() {
        settings.settings.setEchoCancel(false);
        settings.settings.setCallAudioDays(0);
    }

    MeetingRecorder::Services services(size_t cap = CallJobs::defaultCap) {
        return {clock,        clock, settings.settings, store,           audio,
                mic,          levels, engine.function(), taps.factory(), taps.defaultOutput(),
                {},           cap};
    }

    void settle() {
        for (int i = 0; i < 6; ++i) {
            recorder->sync();
            clock.advance(0);
        }
    }

    // Feeds one side frame by frame, moving the clock with the audio.
    void feed(const SpeakerKey& side, const Samples& samples) {
        for (size_t at = 0; at < samples.size(); at += 1600) {
            const Samples frame(samples.begin() + at,
                                samples.begin() + std::min(samples.size(), at + 1600));
            if (side.isYou())
                mic.meetingSink()(frame);
            else
                taps.play(frame);
            recorder->sync();
            clock.advance(0.1);
        }
    }
    // A short turn: a second of speech and enough quiet after it to close the turn.
    void say(const SpeakerKey& side) {
        feed(side, tone(1.0, 3277));
        feed(side, tone(1.6, 0));
    }

    const Meeting& meeting() const { return *store.find(*recorder->meetingID()); }

    ManualScheduler clock;
    TempSettings settings;
    QTemporaryDir dir;
    CallAudio audio{dir.filePath("audio"), clock};
    MeetingStore store{dir.path(), clock, &audio};
    Mic mic{clock, std::make_unique<FakeMicCapture>(), MicMode::off, ""};
    MeetingLevels levels;
    FakeTranscriber engine;
    Taps taps;
    std::unique_ptr<MeetingRecorder> recorder = std::make_unique<MeetingRecorder>(services());
};
} // namespace

TEST(CallJobs, PiecesGoFirstAndTheCapGivesUpOldPiecesThenTheAudioOfOldTurns) {
    CallJobs jobs(3 * 16000);
    const auto job = [](double seconds, bool final, double t) {
        return CallJob{Samples(size_t(seconds * 16000)), t, SpeakerKey::you(), QUuid::createUuid(),
                       final};
    };
    EXPECT_TRUE(jobs.add(job(1, true, 0)).empty());
    EXPECT_TRUE(jobs.add(job(1, false, 1)).empty());
    const auto shed = jobs.add(job(1.5, false, 2));
    ASSERT_EQ(shed.size(), 1u);
    EXPECT_EQ(shed[0].t, 1);
    EXPECT_EQ(jobs.add(job(2, true, 3)).at(0).t, 2);
    const auto turns = jobs.add(job(1, true, 4));
    ASSERT_EQ(turns.size(), 1u);
    EXPECT_TRUE(turns[0].final);
    EXPECT_EQ(turns[0].t, 0);
    EXPECT_EQ(jobs.queuedSamples(), size_t(3 * 16000));

    const auto first = jobs.take();
    EXPECT_EQ(first->t, 0);
    EXPECT_TRUE(first->samples.empty()); // still finalizes its line from the draft
    EXPECT_EQ(jobs.take()->t, 3);
    EXPECT_EQ(jobs.take()->t, 4);
    EXPECT_FALSE(jobs.take());
}

TEST_F(MeetingRecorderTest, BothSidesBecomeLinesAndTheCallIsTidiedAfterTheLastJob) {
    int changes = 0;
    QObject::connect(recorder.get(), &MeetingRecorder::stateChanged, [&] { ++changes; });
    recorder->start("Zoom", "Zoom");
    settle();
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_TRUE(recorder->systemAudioOK());
    EXPECT_EQ(meeting().title, "Zoom call");
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d Zoom call\.md$)")
                    .match(meeting().file)
                    .hasMatch());

    say(SpeakerKey::you());
    settle();
    ASSERT_EQ(engine.waiting(), 1u);
    engine.answer("Hello from my side");
    settle();
    say(SpeakerKey::them());
    settle();
    engine.answer("And hello from theirs");
    settle();
    ASSERT_EQ(meeting().lines.size(), 2);
    EXPECT_EQ(meeting().lines[0].who, SpeakerKey::you());
    EXPECT_EQ(meeting().lines[1].who, SpeakerKey::them());
    EXPECT_NEAR(meeting().lines[1].t, 2.6, 0.35);

    // A long piece and a short one make one turn, whose whole text is still to come when the
    // user stops.
    feed(SpeakerKey::them(), tone(4.2, 3277));
    feed(SpeakerKey::them(), tone(0.3, 0));
    settle();
    engine.answer(QString("Last words"));
    feed(SpeakerKey::them(), tone(1.0, 3277));
    feed(SpeakerKey::them(), tone(0.9, 0));
    settle();
    engine.answer(QString("and more"));
    recorder->stop();
    settle();
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_TRUE(recorder->finishing());
    EXPECT_TRUE(meeting().end.has_value());
    EXPECT_EQ(meeting().lines.back().draft, true);
    recorder->start();
    EXPECT_TRUE(recorder->finishing()); // no new call while finishing

    clock.advance(0.3);
    EXPECT_EQ(levels.them(), 0.0f);
    ASSERT_EQ(engine.waiting(), 1u);
    EXPECT_GT(engine.samples(), 16000u);
    engine.answer("Last words and more.");
    settle();
    EXPECT_FALSE(recorder->finishing());
    EXPECT_EQ(meeting().lines.size(), 3);
    EXPECT_EQ(meeting().lines.back().text, "Last words and more.");
    EXPECT_FALSE(meeting().lines.back().draft.has_value());
    EXPECT_EQ(changes, 3);
    audio.flush();
    EXPECT_TRUE(audio.files(meeting().id).isEmpty()); // callAudioDays 0: gone once written up
}

TEST_F(MeetingRecorderTest, AFailedDiedOrOutdatedTapIsStartedAgainAtTheNextCheck) {
    taps.set(false, "speakers");
    recorder->start();
    settle();
    EXPECT_FALSE(recorder->systemAudioOK());

    taps.set(true, "speakers");
    clock.advance(MeetingRecorder::outputCheckSeconds);
    settle();
    EXPECT_TRUE(recorder->systemAudioOK());
    EXPECT_EQ(taps.runningOn(), "speakers");

    clock.advance(MeetingRecorder::outputCheckSeconds);
    settle();
    EXPECT_EQ(taps.startCount(), 2); // nothing changed, nothing restarted

    taps.set(true, "speakers", true);
    clock.advance(MeetingRecorder::outputCheckSeconds);
    settle();
    EXPECT_EQ(taps.startCount(), 3);

    taps.set(true, "headset");
    clock.advance(MeetingRecorder::outputCheckSeconds);
    settle();
    EXPECT_EQ(taps.runningOn(), "headset");

    recorder->stop();
    settle();
    EXPECT_EQ(taps.runningOn(), "");
}

TEST_F(MeetingRecorderTest, ATapThatDiesIsStartedAgainOnTheNewOutputWithoutWaitingForTheCheck) {
    recorder->start();
    settle();
    ASSERT_EQ(taps.runningOn(), "speakers");

    taps.die("headset");
    settle();
    EXPECT_EQ(taps.runningOn(), "headset");
    EXPECT_TRUE(recorder->systemAudioOK());
    recorder->stop();
    settle();
}

TEST_F(MeetingRecorderTest, ADrainThatOutlastsTwoMinutesIsGivenUpAndTheAudioIsKept) {
    recorder->start();
    settle();
    say(SpeakerKey::you());
    say(SpeakerKey::you());
    settle();
    recorder->stop();
    settle();
    EXPECT_TRUE(recorder->finishing());

    clock.advance(MeetingRecorder::drainLimitSeconds);
    settle();
    EXPECT_FALSE(recorder->finishing());
    audio.flush();
    EXPECT_TRUE(QFile::exists(audio.url(meeting().id, SpeakerKey::you(), "m4a")));
}

TEST_F(MeetingRecorderTest, JobsBeyondTheCapAreDroppedAndTheAudioIsKept) {
    recorder.reset();
    recorder = std::make_unique<MeetingRecorder>(services(16000));
    recorder->start();
    settle();
    for (int i = 0; i < 4; ++i)
        say(SpeakerKey::them());
    settle();
    EXPECT_LE(recorder->peakQueuedSamples(), size_t(16000 + 3200 * 2));
    recorder->stop();
    settle();
    while (engine.waiting()) {
        engine.answer("Some words here");
        settle();
    }
    EXPECT_FALSE(recorder->finishing());
    audio.flush();
    EXPECT_TRUE(QFile::exists(audio.url(meeting().id, SpeakerKey::them(), "m4a")));
}

namespace {
class CallDetectorTest : public MeetingRecorderTest {
  protected:
    CallDetectorTest() {
        QObject::connect(&detector, &CallDetector::offered,
                         [this](const QString& name, const QString& app) {
                             offers << name;
                             record = [this, name, app] { recorder->start(name, app); };
                         });
    }
    void poll(const QList<CallDetector::MicUser>& users, int times = 1) {
        for (int i = 0; i < times; ++i)
            detector.poll(users);
        settle();
    }

    QStringList offers;
    std::function<void()> record;
    CallDetector detector{{clock, settings.settings, *recorder, {}, [](qint64 pid) {
                               return pid == 7 ? QStringList{"Inbox", "Weekly sync - Google Meet"}
                                               : QStringList{};
                           }}};
};
const CallDetector::MicUser zoom{"zoom", 100};
const CallDetector::MicUser slack{"com.slack.Slack", 200};
} // namespace

TEST(CallDetectorListing, OwnStreamsFiltersAndMonitorsAreNoApplication) {
    PulseSourceOutput a;
    a.client = 1;
    a.binary = "zoom";
    a.pid = 10;
    PulseSourceOutput own = a, filter = a, monitor = a, portal = a, corked = a;
    own.pid = 99;
    filter.client = PA_INVALID_INDEX;
    monitor.fromMonitor = true;
    portal.appId = "org.example.app";
    portal.portalAppId = "us.zoom.Zoom";
    corked.corked = true;
    const auto users = CallDetector::micUsers({a, own, filter, monitor, portal, corked}, 99);
    ASSERT_EQ(users.size(), 3);
    EXPECT_EQ(users[0].id, "zoom");
    EXPECT_EQ(users[1].id, "us.zoom.Zoom");
    EXPECT_TRUE(users[2].corked);
}

TEST_F(CallDetectorTest, OffersOnTheSecondPollOneAtATimeInNameOrderAndAgainAfterLeaving) {
    poll({zoom, slack});
    EXPECT_TRUE(offers.isEmpty());
    poll({zoom, slack});
    poll({zoom, slack});
    poll({zoom, slack});
    EXPECT_EQ(offers, (QStringList{"Slack", "Zoom"}));
    poll({slack});
    poll({zoom, slack}, 2);
    EXPECT_EQ(offers, (QStringList{"Slack", "Zoom", "Zoom"}));
    poll({{"zoom", 1, true}}, 3); // muted and paused: nothing new to offer
    EXPECT_EQ(offers.size(), 3);
}

TEST_F(CallDetectorTest, BrowserCallsAreNamedFromTheirWindows) {
    poll({{"firefox-esr", 7}}, 2);
    EXPECT_EQ(offers, QStringList{"Google Meet"});
    record();
    EXPECT_EQ(meeting().title, "Google Meet call");
    EXPECT_EQ(recorder->sourceKey(), "Firefox");
}

TEST_F(CallDetectorTest, AnOfferedCallStopsAfterFiveQuietPollsButNotWhileMutedOrManual) {
    poll({zoom}, 2);
    record();
    poll({{"zoom", 100, true}}, 10);
    EXPECT_TRUE(recorder->isRecording());
    poll({}, 4);
    EXPECT_TRUE(recorder->isRecording());
    poll({});
    EXPECT_FALSE(recorder->isRecording());

    settle();
    ASSERT_FALSE(recorder->finishing());
    recorder->start();
    poll({}, 10);
    EXPECT_TRUE(recorder->isRecording());
}

TEST_F(CallDetectorTest, NothingIsOfferedWhenOffersAreOff) {
    settings.settings.setOfferCallRecording(false);
    poll({zoom}, 3);
    EXPECT_TRUE(offers.isEmpty());
}
