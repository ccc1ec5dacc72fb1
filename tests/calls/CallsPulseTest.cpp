#include "calls/CallDetector.h"
#include "calls/SystemAudioTap.h"
#include "platform/PulseContext.h"
#include "support/PulseTools.h"
#include "support/WaitFor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>

namespace {
// What a tap hears: how much, and how loud the latest chunk was.
struct Heard {
    std::mutex lock;
    size_t samples = 0;
    double level = 0;
    bool empty = false;

    AudioTap::OnSamples sink() {
        return [this](std::span<const int16_t> chunk) {
            double sum = 0;
            for (const int16_t x : chunk)
                sum += double(x) * x;
            std::lock_guard guard(lock);
            empty = empty || chunk.empty();
            samples += chunk.size();
            level = chunk.empty() ? 0 : std::sqrt(sum / double(chunk.size())) / 32768;
        };
    }
    size_t count() {
        std::lock_guard guard(lock);
        return samples;
    }
    double loudness() {
        std::lock_guard guard(lock);
        return level;
    }
};
} // namespace

TEST(SystemAudioTapPulse, HearsTheDefaultSinkAndFailsRatherThanFollowItOntoTheMicrophone) {
    PulseContext context("tap test");
    EXPECT_EQ(SystemAudioTap::defaultOutputUID(context), "speakers");
    Heard heard;
    SystemAudioTap tap(context, heard.sink());
    ASSERT_TRUE(tap.start());
    EXPECT_EQ(tap.outputUID(), "speakers");
    auto far = playTone("speakers", 440, 1.0);
    EXPECT_TRUE(waitFor([&] { return heard.loudness() > 0.2; }));
    finish(*far);

    // A headset becomes the default output and the call plays there, the speakers go away, and
    // the user keeps talking.
    pactl({"load-module", "module-null-sink", "sink_name=headset"});
    pactl({"set-default-sink", "headset"});
    auto headset = playTone("headset", 440, 4.0);
    auto mic = playTone("micsink", 300, 3.0);
    unloadSink("speakers");
    EXPECT_TRUE(waitFor([&] { return tap.failed(); }));
    const size_t before = heard.count();
    QThread::msleep(300);
    EXPECT_LE(heard.count(), before + 1600); // at most what was on its way, never the mic
    tap.stop();
    const size_t stopped = heard.count();
    EXPECT_NE(SystemAudioTap::defaultOutputUID(context), "speakers");

    // The recorder starts the next tap at its next 3-second check. A new monitor stream of the
    // private server's null sink gets its first audio about 2 s later (an independent recorder
    // waits as long), so the far side is back within about 5 s here.
    Heard next;
    SystemAudioTap replacement(context, next.sink());
    ASSERT_TRUE(replacement.start());
    EXPECT_EQ(replacement.outputUID(), "headset");
    EXPECT_TRUE(waitFor([&] { return next.loudness() > 0.2; }, 3000));
    finish(*headset);
    finish(*mic);
    EXPECT_EQ(heard.count(), stopped);
    EXPECT_FALSE(heard.empty || next.empty);
    replacement.stop();
    replacement.stop();
}

TEST(CallDetectorPulse, ACopyOfACaptureClientNamedZoomUsesTheMicrophone) {
    QTemporaryDir dir;
    const QString zoom = dir.filePath("zoom");
    ASSERT_TRUE(QFile::copy("/usr/bin/pacat", zoom));
    QProcess call;
    call.setStandardOutputFile(QProcess::nullDevice());
    call.start(zoom, {"--record", "--raw", "--device=mic"});
    ASSERT_TRUE(call.waitForStarted());
    PulseContext context("detector test");
    EXPECT_TRUE(waitFor([&] { return CallDetector::appsUsingMic(context).contains("zoom"); }));
    // The remapped microphone's own stream is the server's, not an application's.
    EXPECT_EQ(CallDetector::appsUsingMic(context), QStringList{"zoom"});
    call.terminate();
    call.waitForFinished();
    EXPECT_TRUE(waitFor([&] { return CallDetector::appsUsingMic(context).isEmpty(); }));
}
