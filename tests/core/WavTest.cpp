#include "core/Wav.h"

#include <gtest/gtest.h>

#include <QtEndian>

namespace {
quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
} // namespace

TEST(Wav, EmptyIsJustTheHeaderWithConsistentSizes) {
    const QByteArray wav = Wav::bytes({});
    ASSERT_EQ(wav.size(), 44);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(u32(wav, 4), 36u);
    EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(wav, 16), 16u);
    EXPECT_EQ(u16(wav, 20), 1);
    EXPECT_EQ(u16(wav, 22), 1);
    EXPECT_EQ(u32(wav, 24), 16000u);
    EXPECT_EQ(u32(wav, 28), 32000u);
    EXPECT_EQ(u16(wav, 32), 2);
    EXPECT_EQ(u16(wav, 34), 16);
    EXPECT_EQ(wav.mid(36, 4), "data");
    EXPECT_EQ(u32(wav, 40), 0u);
}

TEST(Wav, SamplesFollowTheHeaderLittleEndianIncludingExtremes) {
    const std::vector<int16_t> samples{1, -1, 32767, -32768, 0x1234};
    const QByteArray wav = Wav::bytes(samples);
    ASSERT_EQ(wav.size(), 44 + 10);
    EXPECT_EQ(u32(wav, 4), 36u + 10);
    EXPECT_EQ(u32(wav, 40), 10u);
    EXPECT_EQ(wav.mid(44), QByteArray("\x01\x00\xff\xff\xff\x7f\x00\x80\x34\x12", 10));
}
