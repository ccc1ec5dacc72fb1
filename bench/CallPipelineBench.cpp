// One hour of a two-sided call through the live path of the recorder's queue: the far side's
// segmenter feeding the echo gate's far-end history, the microphone through the gate into its
// segmenter, and every microphone piece through the voice filter. The last line printed is
// realtime_factor=N: hours of call processed per hour of one core's CPU.
#include "calls/EchoGate.h"
#include "calls/Segmenter.h"
#include "calls/VoiceLevel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {
using Samples = std::vector<int16_t>;

constexpr int rate = 16000;
constexpr int chunk = 336; // about 21 ms, the sound server's fragment size
constexpr int generatedMinutes = 10;
constexpr int callSeconds = 3600;

struct Call {
    Samples farEnd;
    Samples mic;
};

struct Voice {
    double pitch;
    double loudness;
};

// One talk spurt of voiced syllables on a pitch with a few harmonics, written into `out`.
void speak(Samples& out, size_t at, size_t end, Voice voice, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    while (at < end) {
        const size_t length = std::min(end - at, size_t((0.12 + 0.2 * unit(random)) * rate));
        const double f0 = voice.pitch * (0.85 + 0.3 * unit(random));
        const double peak = voice.loudness * (0.4 + 0.6 * unit(random)) * 32767 / 1.75;
        for (size_t i = 0; i < length; ++i) {
            const double w = 2 * M_PI * f0 * double(i) / rate;
            const double envelope = std::sin(M_PI * double(i) / double(length));
            out[at + i] = int16_t(peak * envelope *
                                  (std::sin(w) + 0.5 * std::sin(2 * w) + 0.25 * std::sin(3 * w)));
        }
        at += length + size_t((0.03 + 0.05 * unit(random)) * rate);
    }
}

// A conversation: spurts of 1 to 10 s, mostly taking turns, pauses of 0.3 to 2 s. The far side
// leaks into the microphone 50 ms late at 15 %, over a little room noise.
Call conversation() {
    std::mt19937 random(1);
    std::uniform_real_distribution<double> unit(0, 1);
    const size_t length = size_t(generatedMinutes) * 60 * rate;
    Call c{Samples(length), Samples(length)};
    const Voice them{200, 0.3};
    const Voice you{120, 0.35};
    bool farTalks = true;
    for (size_t at = 0; at < length;) {
        const size_t end = std::min(length, at + size_t((1 + 9 * unit(random)) * rate));
        speak(farTalks ? c.farEnd : c.mic, at, end, farTalks ? them : you, random);
        at = end + size_t((0.3 + 1.7 * unit(random)) * rate);
        if (unit(random) < 0.8)
            farTalks = !farTalks;
    }
    std::normal_distribution<double> hiss(0, 0.001 * 32768);
    for (size_t i = 0; i < length; ++i) {
        const double bleed = i >= 800 ? 0.15 * c.farEnd[i - 800] : 0;
        c.mic[i] = int16_t(std::clamp(c.mic[i] + bleed + hiss(random), -32768.0, 32767.0));
    }
    return c;
}

const Call& call() {
    static const Call sides = conversation();
    return sides;
}

// Time as the recorder's queue sees it when the audio arrives in real time.
class StreamClock : public Clock {
  public:
    double now() const override { return t; }
    double t = 1'700'000'000;
};

double cpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct HourResult {
    double cpuSeconds = 0;
    long pieces = 0;
    long kept = 0;
    long turns = 0;
    double gatedShare = 0;
};

HourResult processHour() {
    const Call& c = call();
    HourResult result;
    StreamClock clock;
    EchoGate gate(clock);
    Segmenter you(0.006f, clock);
    Segmenter them(0.002f, clock);
    VoiceLevel voice;
    you.onPiece = [&](const Samples& samples, double, const QUuid&) {
        result.pieces += 1;
        result.kept += voice.accept(samples);
    };
    them.onPiece = [&](const Samples&, double, const QUuid&) { result.pieces += 1; };
    const auto turnEnded = [&](const QUuid&, double, int, const Samples&) { result.turns += 1; };
    you.onTurnEnd = turnEnded;
    them.onTurnEnd = turnEnded;
    them.onLevel = [&](float level, bool) { gate.heard(level); };

    const double start = cpuSeconds();
    const size_t length = c.mic.size();
    for (size_t played = 0, n = 0; played < size_t(callSeconds) * rate; played += n) {
        const size_t at = played % length;
        n = std::min<size_t>(chunk, length - at);
        them.feed(std::span(c.farEnd).subspan(at, n));
        you.feed(gate.filter(std::span(c.mic).subspan(at, n)));
        clock.t += double(n) / rate;
    }
    you.flush();
    them.flush();
    result.cpuSeconds = cpuSeconds() - start;
    result.gatedShare = double(gate.gated()) / double(gate.total());
    return result;
}

double hourCpu = 0;

void callHour(benchmark::State& state) {
    HourResult result;
    for (auto _ : state)
        result = processHour();
    hourCpu = result.cpuSeconds;
    state.counters["pieces"] = double(result.pieces);
    state.counters["kept"] = double(result.kept);
    state.counters["turns"] = double(result.turns);
    state.counters["gated"] = result.gatedShare;
    state.counters["cpu_s"] = result.cpuSeconds;
}
BENCHMARK(callHour)->Iterations(1)->Unit(benchmark::kMillisecond);

void segmenterMinute(benchmark::State& state) {
    const Samples& mic = call().mic;
    for (auto _ : state) {
        Segmenter s(0.006f);
        s.feed(std::span(mic).first(60 * rate));
        s.flush();
    }
}
BENCHMARK(segmenterMinute)->Unit(benchmark::kMicrosecond);

void echoGateMinute(benchmark::State& state) {
    const Samples& mic = call().mic;
    for (auto _ : state) {
        EchoGate gate;
        for (size_t at = 0; at < size_t(60 * rate); at += 1600) {
            gate.heard(0.05f);
            benchmark::DoNotOptimize(gate.filter(std::span(mic).subspan(at, 1600)));
        }
    }
}
BENCHMARK(echoGateMinute)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    call();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("realtime_factor=%.0f\n", callSeconds / hourCpu);
    return 0;
}
