#include "calls/VoiceLevel.h"
#include "calls/Rms.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using Samples = std::vector<int16_t>;

Samples frames(int16_t value, int count) {
    Samples out(size_t(count) * 1600);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = i % 2 ? int16_t(-value) : value;
    return out;
}

// Whole seconds of audio at about the given level.
Samples seconds(float level, int count = 1) {
    return frames(int16_t(level * 32768), 10 * count);
}
} // namespace

TEST(VoiceLevel, LevelIsTheNinetiethPercentileOfWholeFrames) {
    Samples audio;
    std::vector<float> frameLevels;
    for (int16_t v :
         {900, 100, 1500, 300, 1300, 700, 500, 1100, 200, 1400, 600, 1000, 400, 1200, 800}) {
        const Samples f = frames(v, 1);
        frameLevels.push_back(rms(f));
        audio.insert(audio.end(), f.begin(), f.end());
    }
    // A loud partial frame at the end must not count.
    audio.insert(audio.end(), 800, 30000);
    std::sort(frameLevels.begin(), frameLevels.end());
    EXPECT_EQ(VoiceLevel::level(audio), frameLevels[13]);

    EXPECT_EQ(VoiceLevel::level(Samples(1599, 30000)), 0.0f);
    EXPECT_EQ(VoiceLevel::level(frames(900, 1)), rms(frames(900, 1)));
}

TEST(VoiceLevel, AcceptsAnyPieceAboveTheMinimumUntilThreeLongPiecesAreKnown) {
    VoiceLevel voice;
    EXPECT_FALSE(voice.accept(seconds(0.0075f)));
    EXPECT_TRUE(voice.accept(seconds(0.009f)));
    // Short pieces pass but teach nothing.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(voice.accept(frames(int16_t(0.2f * 32768), 9)));
    EXPECT_FALSE(voice.typical());
    EXPECT_TRUE(voice.accept(seconds(0.1f)));
    EXPECT_TRUE(voice.accept(seconds(0.1f)));
    EXPECT_EQ(voice.kept(), 6);
    EXPECT_EQ(voice.dropped(), 1);
}

TEST(VoiceLevel, RefusesPiecesFarBelowTheTypicalLevel) {
    VoiceLevel voice;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(voice.accept(seconds(0.1f, 2)));
    ASSERT_TRUE(voice.typical());
    const float typical = *voice.typical();
    EXPECT_NEAR(typical, 0.1f, 1e-4);

    EXPECT_FALSE(voice.accept(seconds(0.25f * typical)));
    EXPECT_EQ(voice.dropped(), 1);
    EXPECT_EQ(voice.typical(), typical);
    EXPECT_TRUE(voice.accept(seconds(0.31f * typical)));
}

TEST(VoiceLevel, TypicalIsTheSeventiethPercentileOfTheLastThirty) {
    VoiceLevel voice;
    for (int i = 0; i < 10; ++i)
        voice.accept(seconds(0.5f));
    for (int i = 0; i < 20; ++i)
        voice.accept(seconds(0.2f));
    EXPECT_NEAR(*voice.typical(), 0.5f, 1e-4);
    // The 31st level pushes out the oldest 0.5.
    voice.accept(seconds(0.2f));
    EXPECT_NEAR(*voice.typical(), 0.2f, 1e-4);
}

TEST(VoiceLevel, Summary) {
    VoiceLevel voice;
    EXPECT_EQ(voice.summary(), "voice typical=-1.0000 kept=0 dropped=0");
    for (int i = 0; i < 3; ++i)
        voice.accept(frames(1638, 10));
    voice.accept(Samples(1600));
    EXPECT_EQ(voice.summary(), "voice typical=0.0500 kept=3 dropped=1");
}
