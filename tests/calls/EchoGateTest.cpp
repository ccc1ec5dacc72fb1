#include "calls/EchoGate.h"
#include "calls/Rms.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using Samples = std::vector<int16_t>;

Samples frames(int16_t value, int count = 1) {
    Samples out(size_t(count) * EchoGate::frame);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = i % 2 ? int16_t(-value) : value;
    return out;
}

bool silenced(const Samples& out) {
    return out.size() == size_t(EchoGate::frame) &&
           std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 0; });
}

// A gate with the clock that stamps what it receives.
struct Call {
    // One 100 ms tick of a call: the far end's level, then the microphone's frame.
    Samples tick(float farEnd, const Samples& mic) {
        gate.heard(farEnd);
        Samples out = gate.filter(mic);
        clock.advance(0.1);
        return out;
    }

    // 15 frames decided while the far end plays, plus three still held: leak = mic / farEnd.
    void learn(int16_t mic, float farEnd) {
        for (int i = 0; i < 18; ++i)
            tick(farEnd, frames(mic));
        ASSERT_TRUE(gate.leak());
    }

    // The decision on `mic` once three more frames have arrived.
    Samples decisionOn(const Samples& mic) {
        Samples out = gate.filter(mic);
        for (int i = 0; i < 3; ++i)
            out = gate.filter(frames(0));
        return out;
    }

    ManualScheduler clock;
    EchoGate gate{clock};
};

struct GateTest : ::testing::Test, Call {};

} // namespace

TEST_F(GateTest, FramesComeOutThreeFramesLateAndUnchangedWithoutAFarEnd) {
    Samples input(10 * 1600);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = int16_t(i % 1000);
    const std::span<const int16_t> in(input);

    EXPECT_TRUE(gate.filter(in.subspan(0, 2000)).empty());
    EXPECT_TRUE(gate.filter(in.subspan(2000, 1200)).empty());
    EXPECT_TRUE(gate.filter(in.subspan(3200, 1600)).empty());
    EXPECT_EQ(gate.filter(in.subspan(4800, 1600)), Samples(input.begin(), input.begin() + 1600));

    Samples rest = gate.filter(in.subspan(6400));
    EXPECT_EQ(rest, Samples(input.begin() + 1600, input.begin() + 7 * 1600));
    EXPECT_EQ(gate.total(), 7);
    EXPECT_EQ(gate.summary(), "gate leak=-1.000 silenced=0/7 frames");
}

TEST_F(GateTest, AQuietFarEndNeitherGatesNorTeaches) {
    for (int i = 0; i < 30; ++i)
        EXPECT_FALSE(silenced(tick(0.004f, frames(30))));
    EXPECT_FALSE(gate.leak());
    EXPECT_EQ(gate.gated(), 0);
    EXPECT_EQ(gate.total(), 27);
}

TEST_F(GateTest, OnlyTheLastThirtyFarEndLevelsCount) {
    gate.heard(0.5f);
    for (int i = 0; i < 30; ++i)
        gate.heard(0.001f);
    for (int i = 0; i < 18; ++i)
        gate.filter(frames(3277));
    EXPECT_FALSE(gate.leak());
}

TEST_F(GateTest, LearnsTheMedianOfTheFirstFifteenRatiosThenGates) {
    const int16_t values[] = {900, 400,  1700, 600,  1300, 500,  1100, 1600,
                              700, 1400, 800,  1000, 1200, 1500, 300};
    std::vector<float> ratios;
    for (int16_t v : values) {
        ratios.push_back(rms(frames(v)) / 0.1f);
        EXPECT_FALSE(silenced(tick(0.1f, frames(v))));
    }
    std::sort(ratios.begin(), ratios.end());
    tick(0.1f, frames(100));
    tick(0.1f, frames(5000));
    EXPECT_FALSE(gate.leak());
    tick(0.1f, frames(5000));
    ASSERT_TRUE(gate.leak());
    EXPECT_EQ(*gate.leak(), ratios[7]);
    EXPECT_EQ(gate.gated(), 0);

    EXPECT_TRUE(silenced(tick(0.1f, frames(5000))));
    EXPECT_EQ(gate.gated(), 1);
    EXPECT_EQ(gate.total(), 16);
}

TEST(EchoGateWindow, FarEndLevelsCountFromHalfASecondBeforeToAThirdOfASecondAfter) {
    const Samples quiet = frames(328);
    const auto decide = [&](double farEndOffset) {
        Call call;
        call.learn(3277, 0.1f);
        call.clock.advance(5);
        if (farEndOffset < 0) {
            call.gate.heard(0.1f);
            call.clock.advance(-farEndOffset);
            return call.decisionOn(quiet);
        }
        call.gate.filter(quiet);
        call.clock.advance(farEndOffset);
        call.gate.heard(0.1f);
        Samples out;
        for (int i = 0; i < 3; ++i)
            out = call.gate.filter(frames(0));
        return out;
    };
    EXPECT_EQ(decide(-0.6), quiet);
    EXPECT_TRUE(silenced(decide(-0.4)));
    EXPECT_TRUE(silenced(decide(0.29)));
    EXPECT_EQ(decide(0.31), quiet);
}

TEST(EchoGateLeak, FromOneTenthBleedIsSilencedAndTheLeakFollowsIt) {
    struct Example {
        int16_t mic;
        bool gated;
        double leakAfter;
    };
    // Far end at 0.2: 0.04 is bleed, 0.06 passes, 0.1 is talk over the far end. 0.051 passes
    // because the gate compares with the leak from before this frame moved it.
    for (const Example& example : {Example{1311, true, 0.105}, Example{1966, false, 0.11},
                                   Example{3277, false, 0.1}, Example{1671, false, 0.1077}}) {
        Call call;
        call.learn(655, 0.2f);
        const float l = *call.gate.leak();
        ASSERT_NEAR(l, 0.1f, 1e-4);
        // Keep the far end playing until the frame is decided; the held training frames don't
        // move the leak, their ratio being the leak itself.
        const Samples mic = frames(example.mic);
        call.tick(0.2f, mic);
        Samples out;
        for (int i = 0; i < 3; ++i)
            out = call.tick(0.2f, frames(0));

        EXPECT_EQ(silenced(out), example.gated) << example.mic;
        EXPECT_EQ(out.size(), 1600u);
        EXPECT_NEAR(*call.gate.leak(), example.leakAfter, 5e-4) << example.mic;
        const float ratio = rms(mic) / 0.2f;
        EXPECT_FLOAT_EQ(*call.gate.leak(), ratio < 4 * l ? l + (ratio - l) * 0.05f : l);
    }
}

TEST_F(GateTest, SummaryShowsTheLeakWithThreeDecimals) {
    learn(655, 0.2f);
    EXPECT_EQ(gate.summary(), "gate leak=0.100 silenced=0/15 frames");
}
