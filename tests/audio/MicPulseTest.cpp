// Runs under tests/fixtures/with-pulse.sh: a private sound server whose default source "mic"
// replays whatever is played into the sink "micsink".
#include "audio/Mic.h"
#include "audio/MicListing.h"
#include "audio/PulseMicCapture.h"
#include "audio/Tick.h"
#include "platform/PulseContext.h"
#include "platform/PulseRecordStream.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include "support/PulseTools.h"
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <numbers>
#include <optional>

namespace {


double rms(const int16_t* samples, size_t count) {
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return count ? std::sqrt(sum / double(count)) / 32768.0 : 0;
}

double rms(std::span<const int16_t> samples) {
    return rms(samples.data(), samples.size());
}

// Upward zero crossings per second of 16 kHz samples.
double frequency(const std::vector<int16_t>& samples) {
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        crossings += samples[i - 1] < 0 && samples[i] >= 0;
    return crossings * double(Mic::sampleRate) / double(samples.size());
}

// The part of a recording louder than -20 dBFS, in 20 ms windows.
std::pair<size_t, size_t> loudSpan(const std::vector<int16_t>& samples) {
    constexpr size_t window = 320;
    size_t first = samples.size(), last = 0;
    for (size_t at = 0; at + window <= samples.size(); at += window)
        if (rms(samples.data() + at, window) > 0.1) {
            first = std::min(first, at);
            last = at + window;
        }
    return {first, last};
}

// A tone into the sink whose monitor is the microphone, after a fragment's worth of silence. A
// null sink renders ahead and rewinds that when a player joins, and the monitor can't take back
// what it already handed to a recording, so a player's first fragment is lost. Microphones
// never rewind.
std::unique_ptr<QProcess> micTone(const QString& sink, double hz, double seconds) {
    constexpr int rate = 48000;
    constexpr double lead = 0.3;
    QByteArray pcm(int((lead + seconds) * rate) * 2, 0);
    auto* out = reinterpret_cast<int16_t*>(pcm.data());
    for (int i = int(lead * rate); i < pcm.size() / 2; ++i)
        out[i] = int16_t(0.5 * 32767 * std::sin(2 * std::numbers::pi * hz * i / rate));
    return playSamples(sink, pcm, rate);
}

void fixture(const char* command) {
    const QByteArray script = qgetenv("PULSE_FIXTURE");
    ASSERT_FALSE(script.isEmpty()) << "run under tests/fixtures/with-pulse.sh";
    ASSERT_EQ(QProcess::execute(QString::fromUtf8(script), {command}), 0);
}

class MicPulseTest : public ::testing::Test {
  protected:
    // A start sound may still be on the pool when a test ends; it uses the connection.
    void TearDown() override { QThreadPool::globalInstance()->waitForDone(); }

    void make(MicMode mode) {
        mic = std::make_unique<Mic>(Scheduler::main(), std::make_unique<PulseMicCapture>(pulse),
                                    mode, "");
        mic->applyMode(mode);
    }

    // Records until the tone has come and gone.
    std::vector<int16_t> recordWhile(QProcess& player) {
        finish(player);
        // The tail of the tone is still on its way through the server.
        EXPECT_TRUE(waitFor([&] {
            const auto heard = mic->recorded(0);
            const auto [first, last] = loudSpan(heard);
            return first < last && heard.size() > last + 3200;
        }));
        return mic->stopSamples();
    }

    PulseContext pulse{"mic test"};
    std::unique_ptr<Mic> mic;
};

TEST_F(MicPulseTest, AToneInTheMicrophoneComesOutAt16kHzWithItsPitchAndLevel) {
    make(MicMode::off);
    mic->start();
    ASSERT_TRUE(waitFor([&] { return mic->running(); }));
    auto player = micTone("micsink", 1000, 1.0);
    const std::vector<int16_t> heard = recordWhile(*player);

    const auto [first, last] = loudSpan(heard);
    EXPECT_NEAR(double(last - first) / Mic::sampleRate, 1.0, 0.05);
    const std::vector<int16_t> middle(heard.begin() + qsizetype(first + 1600),
                                     heard.begin() + qsizetype(last - 1600));
    EXPECT_NEAR(frequency(middle), 1000, 10);
    EXPECT_NEAR(rms(middle), 0.5 / std::sqrt(2.0), 0.03);
}

TEST_F(MicPulseTest, ThePrerollHoldsWhatWasHeardBeforeStart) {
    make(MicMode::always);
    ASSERT_TRUE(waitFor([&] { return mic->running(); }));
    std::atomic<int> loud = 0;
    mic->setMeetingSink([&](std::span<const int16_t> chunk) {
        if (rms(chunk) > 0.1)
            loud += int(chunk.size());
    });
    auto player = micTone("micsink", 600, 2.0);
    ASSERT_TRUE(waitFor([&] { return loud > 8000; }));
    mic->start();
    const std::vector<int16_t> heard = mic->stopSamples();
    mic->setMeetingSink(nullptr);
    finish(*player);

    ASSERT_GE(heard.size(), size_t(Mic::prerollMax));
    const std::vector<int16_t> preroll(heard.begin(), heard.begin() + Mic::prerollMax);
    EXPECT_NEAR(frequency(preroll), 600, 10);
    EXPECT_NEAR(rms(preroll), 0.5 / std::sqrt(2.0), 0.03);
}

TEST_F(MicPulseTest, AToneEndingJustBeforeTheStopIsWhollyInTheRecording) {
    make(MicMode::always);
    ASSERT_TRUE(waitFor([&] { return mic->running(); }));
    mic->start();
    auto player = micTone("micsink", 1000, 0.5);
    finish(*player); // the player waits until the server has played the tone
    QThread::msleep(50);
    std::optional<std::vector<int16_t>> heard;
    mic->stopSamples([&](std::vector<int16_t> samples) { heard = std::move(samples); });
    ASSERT_TRUE(waitFor([&] { return heard.has_value(); }));

    const auto [first, last] = loudSpan(*heard);
    // Loud 20 ms windows: the tone's own length, give or take a window at each end.
    EXPECT_NEAR(double(last - first) / Mic::sampleRate, 0.5, 0.04);
    EXPECT_GT(heard->size(), last + 800) << "the 50 ms before the stop are there too";
}

// A second microphone, "othermic" (described "OtherMic"), fed by the sink "othersink".
class OtherMic {
  public:
    OtherMic()
        : sinkModule(pactl({"load-module", "module-null-sink", "sink_name=othersink",
                            "sink_properties=device.description=OtherFeed"})),
          sourceModule(pactl({"load-module", "module-remap-source", "source_name=othermic",
                              "master=othersink.monitor",
                              "source_properties=device.description=OtherMic"})) {}
    ~OtherMic() {
        pactl({"unload-module", sourceModule});
        pactl({"unload-module", sinkModule});
    }

  private:
    QString sinkModule, sourceModule;
};

TEST_F(MicPulseTest, ChoosingAnotherSourceSwitchesCapture) {
    OtherMic other;
    make(MicMode::always);
    mic->setDevice("othermic");
    ASSERT_TRUE(waitFor([&] { return mic->running(); }));

    mic->start();
    auto wanted = micTone("othersink", 700, 1.0);
    auto unwanted = micTone("micsink", 1000, 1.0);
    finish(*unwanted);
    const std::vector<int16_t> heard = recordWhile(*wanted);
    const auto [first, last] = loudSpan(heard);
    ASSERT_LT(first, last);
    EXPECT_NEAR(frequency({heard.begin() + qsizetype(first + 1600),
                           heard.begin() + qsizetype(last - 1600)}),
                700, 10);

    const auto devices = PulseMicCapture::inputDevices(pulse);
    EXPECT_TRUE(std::any_of(devices.begin(), devices.end(), [](const MicDevice& d) {
        return d.uid == "othermic" && d.name == "OtherMic";
    }));
    mic.reset();
}

TEST_F(MicPulseTest, CaptureReportsANewDefaultSourceAndSourcesComingAndGoing) {
    PulseMicCapture capture(pulse);
    std::atomic<int> changes = 0;
    capture.onChunk = [](std::span<const int16_t>) {};
    capture.onChange = [&] { ++changes; };
    ASSERT_EQ(capture.start({}), std::nullopt);
    int beforeRemoval = 0;
    {
        OtherMic other;
        EXPECT_TRUE(waitFor([&] { return changes > 0; }));
        const int seen = changes;
        // A volume change is no new configuration; the default source that follows it is,
        // and its report comes after the volume's would have.
        pactl({"set-source-volume", "mic", "50%"});
        pactl({"set-default-source", "othermic"});
        EXPECT_TRUE(waitFor([&] { return changes > seen; }));
        EXPECT_EQ(changes, seen + 1);
        pactl({"set-default-source", "mic"});
        pactl({"set-source-volume", "mic", "100%"});
        EXPECT_TRUE(waitFor([&] { return changes > seen + 1; }));
        beforeRemoval = changes;
    }
    EXPECT_TRUE(waitFor([&] { return changes > beforeRemoval; })) << "sources went away";
    EXPECT_TRUE(capture.running());
}

TEST_F(MicPulseTest, WithoutAMicrophoneNothingIsRecordedUntilOneIsPluggedIn) {
    pactl({"unload-module", "module-remap-source"}); // the default source is now a monitor
    make(MicMode::off);
    testing::internal::CaptureStderr();
    mic->start();
    EXPECT_FALSE(mic->running());
    EXPECT_TRUE(mic->stopSamples().empty());
    EXPECT_NE(
        testing::internal::GetCapturedStderr().find("Voxmere: mic start failed: No microphone\n"),
        std::string::npos);

    pactl({"load-module", "module-remap-source", "source_name=mic", "master=micsink.monitor",
           "source_properties=device.description=VirtualMic"});
    pactl({"set-default-source", "mic"});
    mic->start();
    EXPECT_TRUE(mic->running());
    mic->stopSamples();
}

TEST_F(MicPulseTest, ListMicsShowsTheVirtualMicrophoneAndNoMonitor) {
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(MicListing::print(out, PulseMicCapture::inputDevices(pulse)), 0);
    EXPECT_EQ(text, "VirtualMic\tmic\n");
}

TEST_F(MicPulseTest, TheStartSoundIsPlayedOnTheSpeakers) {
    PulseRecordStream speakers(pulse);
    std::mutex lock;
    double peak = 0;
    speakers.onData = [&](const void* data, size_t bytes) {
        std::vector<int16_t> chunk(bytes / 2);
        std::memcpy(chunk.data(), data, chunk.size() * 2);
        std::lock_guard guard(lock);
        for (const int16_t s : chunk)
            peak = std::max(peak, std::abs(s / 32768.0));
    };
    ASSERT_EQ(speakers.open("speakers.monitor", {PA_SAMPLE_S16LE, 16000, 1}, 0.02, "test"), 0);
    Tick::play(pulse);
    // A null sink's monitor misses the first milliseconds of a new stream, which is most of a
    // fading tick; its silence is exact zeros, so even the tail is proof.
    EXPECT_TRUE(waitFor([&] {
        std::lock_guard guard(lock);
        return peak > 0.01;
    }));
}

TEST_F(MicPulseTest, SurvivesTheSoundServerGoingAwayAndComingBack) {
    make(MicMode::always);
    ASSERT_TRUE(waitFor([&] { return mic->running(); }));
    fixture("--stop");
    EXPECT_TRUE(waitFor([&] { return !mic->running(); }));

    testing::internal::CaptureStderr();
    mic->start();
    EXPECT_TRUE(mic->stopSamples().empty());
    EXPECT_NE(
        testing::internal::GetCapturedStderr().find("Voxmere: mic start failed: No microphone\n"),
        std::string::npos);
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(MicListing::print(out, PulseMicCapture::inputDevices(pulse)), 0);
    EXPECT_TRUE(text.isEmpty());

    fixture("--start");
    mic->start();
    ASSERT_TRUE(waitFor([&] { return mic->running(); }));
    auto player = micTone("micsink", 1000, 0.5);
    const std::vector<int16_t> heard = recordWhile(*player);
    const auto [first, last] = loudSpan(heard);
    EXPECT_NEAR(double(last - first) / Mic::sampleRate, 0.5, 0.05);
}

} // namespace
