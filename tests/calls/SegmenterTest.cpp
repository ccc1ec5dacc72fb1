#include "calls/Segmenter.h"
#include "calls/Rms.h"
#include "support/Speech.h"
#include "support/ManualScheduler.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace {
using Samples = Segmenter::Samples;

constexpr int16_t loud = 3277;   // level 0.1
constexpr int16_t softer = 2000; // level 0.061, still speech
constexpr double base = 1000.0;

// Alternating ±value, so the frame's level is value / 32768.
Samples frames(int16_t value, int count = 1) {
    Samples out(size_t(count) * Segmenter::frame);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = i % 2 ? int16_t(-value) : value;
    return out;
}

size_t frameCount(const Samples& samples) {
    return samples.size() / Segmenter::frame;
}

struct Piece {
    Samples samples;
    double start;
    QUuid turn;
};

struct TurnEnd {
    QUuid turn;
    double start;
    int pieces;
    Samples samples;
};

class SegmenterTest : public ::testing::Test {
  protected:
    SegmenterTest() {
        s.base = base;
        s.onPiece = [this](const Samples& samples, double start, const QUuid& turn) {
            pieces.push_back({samples, start, turn});
            order += "p";
        };
        s.onTurnEnd = [this](const QUuid& turn, double start, int count, const Samples& samples) {
            ends.push_back({turn, start, count, samples});
            order += "t";
        };
        s.onLevel = [this](float level, bool talking) { levels.emplace_back(level, talking); };
    }

    void feed(int16_t value, int count = 1) { s.feed(frames(value, count)); }

    Segmenter s{0.006f};
    std::vector<Piece> pieces;
    std::vector<TurnEnd> ends;
    std::string order;
    std::vector<std::pair<float, bool>> levels;
};
} // namespace

TEST_F(SegmenterTest, FramesAreProcessedOnlyWhenWhole) {
    s.feed(Samples(1599));
    EXPECT_TRUE(levels.empty());
    s.feed(Samples(1));
    EXPECT_EQ(levels.size(), 1u);

    s.feed(Samples(1000));
    s.feed(Samples(1000));
    s.feed(Samples(1000));
    EXPECT_EQ(levels.size(), 2u);
    s.feed(Samples(200));
    EXPECT_EQ(levels.size(), 3u);
}

TEST(SegmenterThreshold, AFrameExactlyAtTheThresholdIsQuietAndMovesTheNoise) {
    const Samples atFloor = frames(230);
    const float r = rms(atFloor);
    bool talking = true;
    Segmenter s(r);
    s.onLevel = [&](float, bool inSpeech) { talking = inSpeech; };
    s.feed(atFloor);
    EXPECT_FALSE(talking);
    EXPECT_EQ(s.threshold(), r);
    // The noise estimate moved: one more such frame lifts the threshold above the floor.
    s.feed(atFloor);
    EXPECT_FALSE(talking);
    const float noise = 0.95f * (0.95f * 0.002f + 0.05f * r) + 0.05f * r;
    EXPECT_EQ(s.threshold(), 3.0f * noise);

    Segmenter above(r);
    above.feed(frames(231));
    EXPECT_TRUE(above.inSpeech());
    EXPECT_EQ(above.threshold(), r);
}

TEST(SegmenterThreshold, SettlesAtTheFloorInSilenceAndFollowsASteadyBackground) {
    Segmenter silent(0.006f);
    silent.feed(frames(0, 200));
    EXPECT_EQ(silent.threshold(), 0.006f);

    const Samples hum = frames(131, 300);
    const float b = rms(std::span(hum).first(Segmenter::frame));
    Segmenter humming(0.006f);
    humming.feed(hum);
    EXPECT_FALSE(humming.inSpeech());
    EXPECT_NEAR(humming.threshold(), 3 * b, 1e-6);
}

TEST_F(SegmenterTest, TwoVoicedFramesMakeNoPieceAndTheTurnClosesSilently) {
    feed(0, 3);
    feed(loud, 2);
    feed(0, 8);
    EXPECT_TRUE(pieces.empty());
    EXPECT_TRUE(ends.empty());
    EXPECT_FALSE(s.inSpeech());
    EXPECT_FALSE(s.turnOpen());
}

TEST_F(SegmenterTest, APieceStartsWithThreeFramesOfPrerollAndEndsAfterEightQuietFrames) {
    for (int16_t v = 1; v <= 5; ++v)
        feed(v);
    feed(loud, 3);
    feed(0, 8);

    ASSERT_EQ(pieces.size(), 1u);
    const Samples& piece = pieces[0].samples;
    EXPECT_EQ(piece.size(), 22400u);
    EXPECT_EQ(Samples(piece.begin(), piece.begin() + 4800), [] {
        Samples oldestFirst = frames(3);
        for (int16_t v : {4, 5}) {
            const Samples f = frames(v);
            oldestFirst.insert(oldestFirst.end(), f.begin(), f.end());
        }
        return oldestFirst;
    }());
    // The first voiced frame begins at 0.5 s; the piece 0.3 s earlier.
    EXPECT_NEAR(pieces[0].start, base + 0.2, 1e-9);

    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].turn, pieces[0].turn);
    EXPECT_EQ(ends[0].pieces, 1);
    EXPECT_TRUE(ends[0].samples.empty());
    EXPECT_DOUBLE_EQ(ends[0].start, pieces[0].start);
    EXPECT_EQ(order, "pt");

    ASSERT_EQ(levels.size(), 16u);
    EXPECT_FALSE(levels[4].second);
    EXPECT_TRUE(levels[5].second);
    EXPECT_FLOAT_EQ(levels[5].first, rms(frames(loud)));
    EXPECT_TRUE(levels[14].second);
    EXPECT_FALSE(levels[15].second);
}

TEST(SegmenterClock, WithoutABaseTimesComeFromTheInjectedClock) {
    ManualScheduler clock(5000);
    Segmenter s(0.006f, clock);
    double start = 0;
    double turnStart = 0;
    s.onPiece = [&](const Samples&, double t, const QUuid&) { start = t; };
    s.onTurnEnd = [&](const QUuid&, double t, int, const Samples&) { turnStart = t; };
    s.feed(frames(0, 3));
    clock.advance(10);
    s.feed(frames(loud, 3));
    clock.advance(1);
    s.feed(frames(0, 8));
    EXPECT_DOUBLE_EQ(start, 5010 - 0.4);
    EXPECT_DOUBLE_EQ(turnStart, start);
}

TEST_F(SegmenterTest, EightSecondsOfSpeechAreCutAfterTheQuietestOfTheLastTwentyFrames) {
    feed(0, 3);
    for (int j = 0; j < 77; ++j)
        // Segment frame 59 is quieter still but lies just before the last 20; 60 and 75 tie.
        feed(j == 56 ? int16_t(1000) : j == 57 || j == 72 ? softer : loud);

    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(frameCount(pieces[0].samples), 61u);
    EXPECT_DOUBLE_EQ(pieces[0].start, base);
    EXPECT_TRUE(s.inSpeech());

    feed(loud);
    feed(0, 8);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(frameCount(pieces[1].samples), 19u + 1 + 8);
    EXPECT_NEAR(pieces[1].start, base + 6.1, 1e-9);
    EXPECT_EQ(pieces[1].turn, pieces[0].turn);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].pieces, 2);
    EXPECT_EQ(frameCount(ends[0].samples), 3u + 77 + 1 + 8);
    EXPECT_EQ(order, "ppt");
}

TEST_F(SegmenterTest, EvenSpeechIsCutAtEightSecondsExactly) {
    feed(loud, 79);
    EXPECT_TRUE(pieces.empty());
    feed(loud);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].samples.size(), 128000u);
}

TEST_F(SegmenterTest, PausesAfterFourSecondsEndPiecesAndTheTurnEndsAtTheFirstBoundaryAfter20s) {
    for (int cycle = 0; cycle < 6; ++cycle) {
        feed(loud, 45);
        feed(0, 3);
    }
    ASSERT_EQ(pieces.size(), 6u);
    EXPECT_EQ(frameCount(pieces[0].samples), 47u);
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(frameCount(pieces[i].samples), 48u);
        EXPECT_NEAR(pieces[i].start, base + 4.7 + 4.8 * (i - 1), 1e-9);
    }
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(pieces[i].turn, pieces[0].turn);
    EXPECT_NE(pieces[5].turn, pieces[0].turn);

    EXPECT_EQ(order, "ppppptp");
    EXPECT_EQ(ends[0].pieces, 5);
    EXPECT_EQ(frameCount(ends[0].samples), 239u);
    EXPECT_DOUBLE_EQ(ends[0].start, base);
    EXPECT_TRUE(s.turnOpen());
}

TEST_F(SegmenterTest, ThirteenQuietFramesAfterAShortPauseCloseTheTurn) {
    feed(loud, 45);
    feed(0, 2);
    feed(0, 5);
    feed(loud, 45);
    feed(0, 2);
    ASSERT_EQ(pieces.size(), 2u);
    feed(0, 12);
    EXPECT_TRUE(ends.empty());
    feed(0);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].pieces, 2);
    EXPECT_EQ(frameCount(ends[0].samples), 47u + 5 + 47 + 13);
    EXPECT_EQ(ends[0].turn, pieces[1].turn);
    EXPECT_FALSE(s.turnOpen());
}

TEST_F(SegmenterTest, SpeechWithinTwelveQuietFramesContinuesTheTurn) {
    feed(loud, 45);
    feed(0, 2);
    feed(0, 12);
    feed(loud, 3);
    feed(0, 8);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].turn, pieces[0].turn);
    EXPECT_EQ(order, "ppt");
    EXPECT_EQ(ends[0].pieces, 2);
    EXPECT_EQ(frameCount(ends[0].samples), 47u + 12 + 3 + 8);
}

TEST_F(SegmenterTest, ASplitAfterTwentySecondsClosesTheTurnAndCarriesTheRestIntoANewOne) {
    for (int i = 0; i < 221; ++i)
        feed(i == 70 || i == 140 || i == 210 ? softer : loud);
    feed(0, 8);

    EXPECT_EQ(order, "ppptpt");
    ASSERT_EQ(pieces.size(), 4u);
    const size_t sizes[] = {71, 70, 70, 18};
    const double starts[] = {0, 7.1, 14.1, 21.1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(frameCount(pieces[i].samples), sizes[i]);
        EXPECT_NEAR(pieces[i].start, base + starts[i], 1e-9);
    }
    EXPECT_EQ(ends[0].turn, pieces[2].turn);
    EXPECT_EQ(ends[0].pieces, 3);
    ASSERT_EQ(frameCount(ends[0].samples), 211u);
    EXPECT_EQ(ends[0].samples[210 * 1600], softer);
    EXPECT_NE(pieces[3].turn, pieces[2].turn);
    EXPECT_EQ(ends[1].turn, pieces[3].turn);
    EXPECT_EQ(ends[1].pieces, 1);
    EXPECT_NEAR(ends[1].start, base + 21.1, 1e-9);
}

TEST_F(SegmenterTest, FlushDeliversThePartialPieceThenTheTurn) {
    feed(0, 3);
    feed(loud, 5);
    s.feed(Samples(800, 7));
    s.flush();
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].samples.size(), 8u * 1600);
    EXPECT_EQ(order, "pt");
    EXPECT_FALSE(s.inSpeech());
    EXPECT_FALSE(s.turnOpen());
    s.flush();
    EXPECT_EQ(order, "pt");

    Segmenter blip(0.006f);
    bool delivered = false;
    blip.onPiece = [&](const Samples&, double, const QUuid&) { delivered = true; };
    blip.onTurnEnd = [&](const QUuid&, double, int, const Samples&) { delivered = true; };
    blip.feed(frames(loud, 2));
    blip.flush();
    EXPECT_FALSE(delivered);
    EXPECT_FALSE(blip.turnOpen());
}

namespace {
// Deterministic white noise at about the given level.
Samples noise(double seconds, float level, quint32& seed) {
    Samples out(size_t(seconds * 16000));
    const float amplitude = level * 32768 * 1.732f;
    for (int16_t& s : out) {
        seed = seed * 1664525u + 1013904223u;
        s = int16_t(amplitude * (float(seed >> 8) / float(1 << 24) * 2 - 1));
    }
    return out;
}

struct Utterance {
    size_t first;
    size_t last;
};

struct SpeechCase {
    float floor;
    float background;
};

class SegmenterOnSpeech : public ::testing::TestWithParam<SpeechCase> {};
} // namespace

TEST_P(SegmenterOnSpeech, PiecesAndTurnsLandOnTheSpeech) {
    const SpeechCase c = GetParam();
    const Samples said[] = {
        speech("The quarterly numbers look good, but we should talk about the budget."),
        speech("Can you send me the slides after the call? I think the second half needs more "
               "work, especially the numbers on page four, and the chart.")};
    ASSERT_FALSE(said[0].empty()) << "espeak-ng and sox are needed";
    ASSERT_FALSE(said[1].empty());

    quint32 seed = 7;
    Samples stream = noise(1.0, c.background, seed);
    std::vector<Utterance> utterances;
    for (const Samples& words : said) {
        const size_t at = stream.size();
        const Samples hiss = noise(double(words.size()) / 16000, c.background, seed);
        for (size_t i = 0; i < words.size(); ++i)
            stream.push_back(int16_t(std::clamp(int(words[i]) + hiss[i], -32768, 32767)));
        const auto audible = [](int16_t s) { return std::abs(s) > 1000; };
        const size_t first =
            size_t(std::find_if(words.begin(), words.end(), audible) - words.begin());
        const size_t last =
            size_t(words.rend() - std::find_if(words.rbegin(), words.rend(), audible));
        utterances.push_back({at + first, at + last});
        const Samples pause = noise(2.5, c.background, seed);
        stream.insert(stream.end(), pause.begin(), pause.end());
    }

    Segmenter s(c.floor);
    s.base = 0;
    std::vector<Piece> pieces;
    std::vector<TurnEnd> ends;
    s.onPiece = [&](const Samples& samples, double start, const QUuid& turn) {
        pieces.push_back({samples, start, turn});
    };
    s.onTurnEnd = [&](const QUuid& turn, double start, int count, const Samples& samples) {
        ends.push_back({turn, start, count, samples});
    };
    // Chunks of about 21 ms, as the sound server delivers them.
    for (size_t i = 0; i < stream.size(); i += 336)
        s.feed(std::span(stream).subspan(i, std::min<size_t>(336, stream.size() - i)));

    ASSERT_EQ(ends.size(), 2u);
    ASSERT_FALSE(pieces.empty());
    std::vector<bool> covered(stream.size());
    for (const Piece& piece : pieces) {
        const size_t begin = size_t(std::llround(piece.start * 16000));
        const size_t end = begin + piece.samples.size();
        ASSERT_LE(end, stream.size());
        EXPECT_TRUE(std::equal(piece.samples.begin(), piece.samples.end(), stream.begin() + begin));
        const int side = begin < utterances[0].last + 16000 ? 0 : 1;
        EXPECT_GE(double(begin), double(utterances[side].first) - 0.45 * 16000);
        EXPECT_LE(double(end), double(utterances[side].last) + 0.95 * 16000);
        EXPECT_EQ(piece.turn, ends[side].turn);
        std::fill(covered.begin() + begin, covered.begin() + end, true);
    }
    for (const Utterance& u : utterances) {
        for (size_t at = u.first; at + 1600 <= u.last; at += 1600) {
            if (rms(std::span(stream).subspan(at, 1600)) > 0.05f) {
                EXPECT_TRUE(covered[at] && covered[at + 1599]) << "speech at " << at / 16000.0;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(QuietRoomAndBusyLine, SegmenterOnSpeech,
                         ::testing::Values(SpeechCase{0.006f, 0.002f}, SpeechCase{0.002f, 0.004f}));
