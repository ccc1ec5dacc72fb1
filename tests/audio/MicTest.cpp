#include "audio/Mic.h"
#include "support/FakeMicCapture.h"
#include "audio/MicListing.h"
#include "support/ManualScheduler.h"
#include "support/WaitFor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>

namespace {

constexpr int chunkSize = 341; // about 21 ms at 16 kHz


std::vector<int16_t> numbered(int first, int count) {
    std::vector<int16_t> out(static_cast<size_t>(count));
    std::iota(out.begin(), out.end(), int16_t(first));
    return out;
}

class MicTest : public ::testing::Test {
  protected:
    void make(MicMode mode) {
        fake = new FakeMicCapture;
        mic = std::make_unique<Mic>(main, std::unique_ptr<MicCapture>(fake), mode, "");
        mic->applyMode(mode);
        settle();
    }

    // Lets every hop between the main thread and the mic queue run.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            main.advance(0);
            mic->capturing();
        }
    }

    // Pushes `count` numbered samples in capture-sized chunks.
    void hear(int first, int count) {
        for (int at = 0; at < count; at += chunkSize)
            fake->push(numbered(first + at, std::min(chunkSize, count - at)));
    }

    ManualScheduler main;
    FakeMicCapture* fake = nullptr;
    std::unique_ptr<Mic> mic;
};

TEST_F(MicTest, AlwaysModeStartsWithTheLastPrerollSamplesInOrder) {
    make(MicMode::always);
    ASSERT_TRUE(mic->running());
    hear(0, 10000);
    mic->start();
    hear(10000, 700);
    EXPECT_EQ(mic->stopSamples(), numbered(10000 - Mic::prerollMax, Mic::prerollMax + 700));

    settle();
    EXPECT_TRUE(mic->running());
    hear(20000, 100);
    mic->start();
    EXPECT_EQ(mic->stopSamples(), numbered(20000, 100)) << "the pre-roll starts afresh";
}

TEST_F(MicTest, OffModeRecordsWithoutPrerollAndStopsRightAfter) {
    make(MicMode::off);
    EXPECT_FALSE(mic->running());
    mic->start();
    settle();
    hear(0, 500);
    EXPECT_EQ(mic->stopSamples(), numbered(0, 500));
    settle();
    EXPECT_FALSE(mic->running());

    mic->start();
    EXPECT_TRUE(mic->stopSamples().empty());
}

TEST_F(MicTest, ACallKeepsCaptureRunningWhateverTheMode) {
    make(MicMode::off);
    mic->setMeeting(true);
    mic->start();
    mic->setMeeting(false);
    settle();
    EXPECT_TRUE(mic->running()) << "the dictation still needs it";
    EXPECT_TRUE(mic->capturing());

    mic->setMeeting(true);
    mic->stopSamples();
    settle();
    EXPECT_TRUE(mic->running()) << "the call still needs it";

    mic->setMeeting(false);
    settle();
    EXPECT_FALSE(mic->running());
}

TEST_F(MicTest, WarmModeStopsFiveMinutesAfterTheLastUse) {
    make(MicMode::warm);
    EXPECT_FALSE(mic->running());
    mic->start();
    mic->stopSamples();
    settle();
    main.advance(200);
    mic->start();
    hear(0, 100);
    main.advance(50);
    mic->stopSamples();
    settle();
    hear(0, 1000);

    main.advance(51); // the first timer would have fired here
    settle();
    EXPECT_TRUE(mic->running());

    main.advance(250);
    settle();
    EXPECT_FALSE(mic->running());
    mic->start();
    EXPECT_TRUE(mic->stopSamples().empty()) << "the pre-roll went with the engine";
}

TEST_F(MicTest, SwitchingFromWarmToAlwaysCancelsThePendingStop) {
    make(MicMode::warm);
    mic->start();
    mic->stopSamples();
    settle();
    mic->applyMode(MicMode::always);
    main.advance(Mic::warmSeconds);
    settle();
    EXPECT_TRUE(mic->running());
    hear(0, 100);
    mic->start();
    EXPECT_EQ(mic->stopSamples(), numbered(0, 100)) << "the pre-roll survived too";
}

TEST_F(MicTest, SwitchingToOffStopsIdleCaptureButNotARecording) {
    make(MicMode::always);
    mic->start();
    mic->applyMode(MicMode::off);
    settle();
    EXPECT_TRUE(mic->running());
    mic->stopSamples();
    settle();
    EXPECT_FALSE(mic->running());

    mic->applyMode(MicMode::always);
    settle();
    EXPECT_TRUE(mic->running());
}

TEST_F(MicTest, AStopWaitsForTheAudioStillOnItsWayAndANewStartEndsTheWait) {
    make(MicMode::off);
    fake->holdBack();
    std::vector<std::vector<int16_t>> taken;
    const auto take = [&](std::vector<int16_t> samples) { taken.push_back(std::move(samples)); };
    mic->start();
    settle();
    hear(0, 1000);
    mic->stopSamples(take);
    hear(1000, 500); // what the server still held at the stop
    settle();
    EXPECT_TRUE(taken.empty());
    EXPECT_TRUE(mic->running());
    fake->endDrain();
    settle();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0], numbered(0, 1500));
    EXPECT_FALSE(mic->running()) << "\"off\" stops capture once the recording is complete";

    mic->start();
    settle();
    hear(0, 300);
    mic->stopSamples(take);
    hear(300, 200);
    mic->start();
    hear(500, 100);
    settle();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[1], numbered(0, 500)) << "the new recording ended the wait";
    fake->endDrain();
    settle();
    EXPECT_EQ(taken.size(), 2u) << "a late end of that wait ends nothing";
    EXPECT_EQ(mic->stopSamples(), numbered(500, 100));
}

TEST_F(MicTest, RecordedFromCopiesTheTailAndKeepsRecording) {
    make(MicMode::off);
    mic->start();
    settle();
    hear(0, 1000);
    EXPECT_EQ(mic->recorded(0), numbered(0, 1000));
    EXPECT_EQ(mic->recorded(990), numbered(990, 10));
    EXPECT_TRUE(mic->recorded(1000).empty());
    EXPECT_TRUE(mic->recorded(5000).empty());
    hear(1000, 10);
    EXPECT_EQ(mic->stopSamples().size(), 1010u);
}

TEST_F(MicTest, MeetingSinkSeesEveryChunkWhileADictationRecordsToo) {
    make(MicMode::off);
    std::vector<int16_t> sunk;
    mic->setMeetingSink([&](std::span<const int16_t> chunk) {
        sunk.insert(sunk.end(), chunk.begin(), chunk.end());
    });
    mic->setMeeting(true);
    settle();
    hear(0, 300);
    mic->start();
    hear(300, 400);
    EXPECT_EQ(mic->stopSamples(), numbered(0, 700)) << "pre-roll, then the recording";
    hear(700, 100);
    settle();
    EXPECT_EQ(sunk, numbered(0, 800));

    mic->setMeetingSink(nullptr);
    hear(800, 100);
    EXPECT_EQ(sunk.size(), 800u);
}

TEST_F(MicTest, LevelFollowsTheDecibelScale) {
    EXPECT_EQ(Mic::level(std::vector<int16_t>(341, 0)), 0.0);
    EXPECT_EQ(Mic::level(std::vector<int16_t>(341, -32768)), 1.0);
    EXPECT_NEAR(Mic::level(std::vector<int16_t>(341, 3277)), 0.6, 0.001); // -20 dBFS
    EXPECT_EQ(Mic::level(std::vector<int16_t>(341, 10)), 0.0);            // below -50 dBFS
}

TEST_F(MicTest, LevelsReachTheMainThreadOnlyForRecordedAudio) {
    make(MicMode::always);
    std::vector<double> levels;
    QObject::connect(mic.get(), &Mic::levelMeasured,
                     [&](double level) { levels.push_back(level); });
    fake->push(std::vector<int16_t>(Mic::levelStepSamples, -32768));
    mic->start();
    fake->push(std::vector<int16_t>(Mic::levelStepSamples, 0));
    fake->push(std::vector<int16_t>(Mic::levelStepSamples, -32768));
    fake->push(std::vector<int16_t>(Mic::levelStepSamples / 2, 0));
    mic->capturing();
    EXPECT_TRUE(levels.empty()) << "levels wait for the main thread";
    main.advance(0);
    EXPECT_EQ(levels, (std::vector<double>{0.0, 1.0})) << "a step not yet complete has no level";
}

TEST_F(MicTest, LevelsOfEachTenthOfASecondArriveInBatchesWithoutAnyoneAskingAndInOrder) {
    make(MicMode::always);
    std::vector<double> levels;
    QObject::connect(mic.get(), &Mic::levelMeasured,
                     [&](double level) { levels.push_back(level); });
    mic->start();
    std::vector<int16_t> heard;
    for (int i = 0; i < 47; ++i) { // a second of chunks
        const std::vector<int16_t> chunk(chunkSize, int16_t(1000 + 300 * i));
        heard.insert(heard.end(), chunk.begin(), chunk.end());
        fake->push(chunk);
    }
    std::vector<double> expected;
    for (size_t at = 0; at + Mic::levelStepSamples <= heard.size(); at += Mic::levelStepSamples)
        expected.push_back(Mic::level(std::span(heard).subspan(at, Mic::levelStepSamples)));
    const size_t batches = expected.size() / Mic::levelsPerHandOff;
    EXPECT_TRUE(waitFor([&] { return main.waiting() >= batches; }))
        << "the capture thread hands full batches over by itself";
    mic->capturing();
    EXPECT_LE(main.waiting(), batches + 1) << "one main-thread wake per batch, not per chunk";
    main.advance(0);
    EXPECT_EQ(levels, expected);
}

TEST_F(MicTest, TestFeedRecordsOnlyInjectedSamples) {
    make(MicMode::always);
    hear(300, 50); // room audio in the pre-roll: not part of the test's file
    mic->setTestFeed(true);
    mic->injectForTest(numbered(0, 10)); // not recording: dropped
    mic->start();
    hear(100, 50);
    mic->injectForTest(numbered(0, 20));
    hear(200, 50);
    EXPECT_EQ(mic->stopSamples(), numbered(0, 20));

    mic->setTestFeed(false);
    mic->start();
    std::vector<int16_t> heard = numbered(100, 50);
    const std::vector<int16_t> later = numbered(200, 50);
    heard.insert(heard.end(), later.begin(), later.end());
    EXPECT_EQ(mic->stopSamples(), heard) << "hardware chunks went to the pre-roll";
}

TEST_F(MicTest, FailedStartLogsAndRecordsNothingThenTheNextStartWorks) {
    make(MicMode::off);
    fake->setFailure(QStringLiteral("No microphone"));
    testing::internal::CaptureStderr();
    mic->start();
    EXPECT_TRUE(mic->capturing());
    hear(0, 100);
    EXPECT_TRUE(mic->stopSamples().empty());
    EXPECT_NE(
        testing::internal::GetCapturedStderr().find("Voxmere: mic start failed: No microphone\n"),
        std::string::npos);

    fake->setFailure(std::nullopt);
    mic->start();
    settle();
    hear(0, 100);
    EXPECT_EQ(mic->stopSamples(), numbered(0, 100));
}

TEST_F(MicTest, ChosenDeviceIsUsedWhenPresentElseTheDefault) {
    make(MicMode::always);
    fake->setDevices({{7, "usb-headset", "Headset"}, {2, "builtin", "Built-in"}});
    testing::internal::CaptureStderr();
    mic->setDevice("usb-headset");
    settle();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Voxmere: mic device set to 7"),
              std::string::npos);

    mic->setDevice("unplugged");
    settle();
    EXPECT_EQ(fake->startedWith(), (std::vector<QString>{"", "usb-headset", ""}));
    EXPECT_TRUE(mic->running());
}

TEST_F(MicTest, ChoosingADeviceForgetsThePrerollButAConfigurationChangeKeepsIt) {
    make(MicMode::always);
    hear(0, 1000);
    fake->reportChange();
    settle();
    mic->start();
    EXPECT_EQ(mic->stopSamples(), numbered(0, 1000));

    hear(0, 1000);
    mic->setDevice("");
    settle();
    mic->start();
    EXPECT_TRUE(mic->stopSamples().empty());
}

TEST_F(MicTest, ConfigurationChangeRestartsOnlyWhenCaptureIsNeeded) {
    make(MicMode::off);
    fake->reportChange();
    settle();
    EXPECT_FALSE(mic->running());
    mic->start();
    settle();
    fake->stop(); // the device went away under a recording
    fake->reportChange();
    settle();
    EXPECT_TRUE(mic->running());
    EXPECT_EQ(fake->startedWith().size(), 2u);
}

TEST_F(MicTest, StopReturnsWavBytesAndDuration) {
    make(MicMode::off);
    mic->start();
    settle();
    hear(0, 8000);
    const Mic::Recording recording = mic->stop();
    EXPECT_EQ(recording.seconds, 0.5);
    EXPECT_EQ(recording.wav.size(), 44 + 16000);
    EXPECT_EQ(recording.wav.left(4), "RIFF");
}

TEST(MicListingTest, PrintsNameTabUidPerDevice) {
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(MicListing::print(out, {{1, "alsa_input.usb", "USB Mic"}, {4, "mic", "VirtualMic"}}),
              0);
    EXPECT_EQ(text, "USB Mic\talsa_input.usb\nVirtualMic\tmic\n");
}

} // namespace
