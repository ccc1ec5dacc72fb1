#include "meetings/AudioFile.h"
#include "core/Wav.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A PCM WAV of any shape: `frames` frames of interleaved channels, channel c holding c * 1000.
QByteArray wav(quint32 rate, quint16 channels, quint32 frames) {
    QByteArray data(qsizetype(frames) * channels * 2, 0);
    for (quint32 f = 0; f < frames; ++f)
        for (quint16 c = 0; c < channels; ++c)
            qToLittleEndian<int16_t>(int16_t(c * 1000 + 500), data.data() + (f * channels + c) * 2);
    QByteArray header(44, 0);
    char* h = header.data();
    memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + quint32(data.size()), h + 4);
    memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(channels, h + 22);
    qToLittleEndian<quint32>(rate, h + 24);
    qToLittleEndian<quint32>(rate * channels * 2, h + 28);
    qToLittleEndian<quint16>(channels * 2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(data.size()), h + 40);
    return header + data;
}

QString save(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

} // namespace

TEST(AudioFileTest, ReadsTheFirstChannelAtSixteenKilohertzWhateverTheFile) {
    QTemporaryDir dir;
    const std::vector<int16_t> exact{1, -2, 3, 32767, -32768};
    EXPECT_EQ(AudioFile::read(save(dir, "plain.wav", Wav::bytes(exact))), exact);

    const auto resampled = AudioFile::read(save(dir, "cd.wav", wav(44100, 2, 44100)));
    ASSERT_TRUE(resampled);
    EXPECT_NEAR(double(resampled->size()), 16000, 32) << "one second";
    EXPECT_NEAR((*resampled)[8000], 500, 5) << "the first channel, not a mix";

    EXPECT_FALSE(AudioFile::read(save(dir, "noise.wav", "not audio at all")));
    EXPECT_FALSE(AudioFile::read(dir.filePath("missing.wav")));
}
