#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

// Driving the private sound server of tests/fixtures/with-pulse.sh from a test.

// Plays 16-bit mono samples into a sink with pacat; the returned process ends when it has played.
// pacat reads the samples from a file rather than a pipe: a pipe is fed only while this thread
// waits on that very process, so of two players started together the second would sound only
// once the first had finished.
inline std::unique_ptr<QProcess> playSamples(const QString& sink, const QByteArray& pcm, int rate) {
    QTemporaryFile samples;
    EXPECT_TRUE(samples.open() && samples.write(pcm) == pcm.size() && samples.flush());
    auto player = std::make_unique<QProcess>();
    player->setStandardInputFile(samples.fileName());
    player->start("pacat", {"--playback", "--device=" + sink, "--format=s16le",
                            "--rate=" + QString::number(rate), "--channels=1"});
    EXPECT_TRUE(player->waitForStarted());
    return player;
}

// Plays a sine tone into a sink.
inline std::unique_ptr<QProcess> playTone(const QString& sink, double hz, double seconds,
                                   double amplitude = 0.5) {
    constexpr int rate = 48000;
    QByteArray pcm(int(seconds * rate) * 2, 0);
    auto* out = reinterpret_cast<int16_t*>(pcm.data());
    for (int i = 0; i < pcm.size() / 2; ++i)
        out[i] = int16_t(amplitude * 32767 * std::sin(2 * std::numbers::pi * hz * i / rate));
    return playSamples(sink, pcm, rate);
}

inline void finish(QProcess& player) {
    ASSERT_TRUE(player.waitForFinished(10000));
    ASSERT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();
}

inline QString pactl(const QStringList& arguments) {
    QProcess p;
    p.start("pactl", arguments);
    p.waitForFinished();
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Takes a null sink away, as when a headset is unplugged.
inline void unloadSink(const QString& name) {
    const QString module = pactl({"list", "short", "modules"})
                               .split('\n')
                               .filter("sink_name=" + name)
                               .value(0)
                               .section('\t', 0, 0);
    pactl({"unload-module", module});
}

