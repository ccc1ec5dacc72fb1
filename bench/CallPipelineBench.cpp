// One hour of a two-sided call through the live path of the recorder's queue: the far side's
// segmenter feeding the echo gate's far-end history, the microphone through the gate into its
// segmenter, and every microphone piece through the voice filter. The last line printed is
// realtime_factor=N: hours of call processed per hour of one core's CPU.
#include "Conversation.h"
#include "calls/EchoGate.h"
#include "calls/Segmenter.h"
#include "calls/VoiceLevel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
using Samples = Conversation::Samples;
using Conversation::chunk;
using Conversation::rate;

constexpr int callSeconds = 3600;

const Conversation::Call& call() {
    return Conversation::shared();
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
    const Conversation::Call& c = call();
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
