// The capture path's cost per hour of audio. The simulated figures drive the real Mic with an
// hour of 21 ms chunks as fast as it takes them; the PulseAudio figures record from a running
// sound server in real time (run it under tests/fixtures/with-pulse.sh), with the Qt event loop
// delivering the levels as in the application, and scale to an hour.
#include "support/FakeMicCapture.h"
#include "audio/Mic.h"
#include "audio/PulseMicCapture.h"
#include "platform/PulseContext.h"
#include "platform/PulseRecordStream.h"
#include "platform/PulseServerInfo.h"
#include "support/ManualScheduler.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <ctime>
#include <unistd.h>

namespace {

constexpr int chunkSize = 341; // 1024 frames of a 48 kHz device
constexpr double hour = 3600;
const int chunksPerHour = int(hour * Mic::sampleRate / chunkSize);

double processCpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double residentKilobytes() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1024 : 0;
}

struct Rig {
    // Without a capture back end: a fake one fed by `hear`, and a main thread that runs only
    // when `hear` lets it.
    explicit Rig(MicMode mode, std::unique_ptr<MicCapture> capture = nullptr,
                 Scheduler* mainThread = nullptr) {
        if (!capture) {
            fake = new FakeMicCapture;
            capture.reset(fake);
        }
        mic = std::make_unique<Mic>(mainThread ? *mainThread : main, std::move(capture), mode, "");
        mic->applyMode(mode);
        mic->capturing();
    }

    // Feeds `chunks` chunks of speech-like noise, letting the main thread run now and then.
    void hear(int chunks) {
        std::vector<int16_t> chunk(chunkSize);
        for (int i = 0; i < chunks; ++i) {
            for (int j = 0; j < chunkSize; ++j)
                chunk[size_t(j)] = int16_t((i * 7919 + j * 104729) % 20000 - 10000);
            fake->push(chunk);
            if (i % 1000 == 0) {
                mic->capturing();
                main.advance(0);
            }
        }
        mic->capturing();
        main.advance(0);
    }

    ManualScheduler main;
    FakeMicCapture* fake = nullptr;
    std::unique_ptr<Mic> mic;
};

// A dictation (with level reports) and a call's sink taking every chunk for an hour.
void BM_RecordingHourSimulated(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig(MicMode::always);
        double levels = 0;
        QObject::connect(rig.mic.get(), &Mic::levelMeasured,
                         [&](double level) { levels += level; });
        size_t sunk = 0;
        rig.mic->setMeetingSink([&](std::span<const int16_t> chunk) { sunk += chunk.size(); });
        rig.mic->start();
        const double before = processCpuSeconds();
        rig.hear(chunksPerHour);
        const double cpu = processCpuSeconds() - before;
        const size_t recorded = rig.mic->stopSamples().size();
        state.counters["cpu_s_per_audio_hour"] = cpu;
        state.counters["recorded_s"] = double(recorded) / Mic::sampleRate;
        state.counters["sunk_s"] = double(sunk) / Mic::sampleRate;
        benchmark::DoNotOptimize(levels);
    }
}
BENCHMARK(BM_RecordingHourSimulated)->Iterations(1)->Unit(benchmark::kMillisecond);

// "always" mode with nobody listening: only the pre-roll is kept.
void BM_IdleAlwaysHourSimulated(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig(MicMode::always);
        rig.hear(int(60 * Mic::sampleRate / chunkSize)); // a minute to settle the allocator
        const double rssBefore = residentKilobytes();
        const double before = processCpuSeconds();
        rig.hear(chunksPerHour);
        const double cpu = processCpuSeconds() - before;
        const double rssAfter = residentKilobytes();
        rig.mic->start();
        state.counters["cpu_s_per_audio_hour"] = cpu;
        state.counters["rss_growth_kB"] = rssAfter - rssBefore;
        state.counters["preroll_samples"] = double(rig.mic->stopSamples().size());
    }
}
BENCHMARK(BM_IdleAlwaysHourSimulated)->Iterations(1)->Unit(benchmark::kMillisecond);

bool serverAnswers(benchmark::State& state, PulseContext& pulse) {
    if (PulseServerInfo::query(pulse))
        return true;
    state.SkipWithError("no sound server (run under tests/fixtures/with-pulse.sh)");
    return false;
}

double liveSeconds() {
    return qEnvironmentVariableIsSet("VOXMERE_BENCH_SECONDS")
               ? qEnvironmentVariable("VOXMERE_BENCH_SECONDS").toDouble()
               : 10;
}

// The main thread's event loop, as the application runs it, for a while.
void serveMainThread(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Process CPU per hour of audio counted by `heard` (samples) over the live period.
void measureLive(benchmark::State& state, const std::atomic<size_t>& heard) {
    serveMainThread(0.5);
    const double before = processCpuSeconds();
    const size_t heardBefore = heard;
    serveMainThread(liveSeconds());
    const double cpu = processCpuSeconds() - before;
    const double audio = double(heard - heardBefore) / Mic::sampleRate;
    state.counters["audio_s"] = audio;
    state.counters["cpu_s_per_audio_hour"] = audio > 0 ? cpu * hour / audio : 0;
}

// A dictation recording from a live sound server in real time: the client library's thread,
// our copy, the queue hop, the recording and the level reports on the main thread. The
// server's own conversion runs in the server and is not counted.
void BM_PulseRecordingLive(benchmark::State& state) {
    PulseContext pulse("bench");
    if (!serverAnswers(state, pulse))
        return;
    for (auto _ : state) {
        Rig rig(MicMode::always, std::make_unique<PulseMicCapture>(pulse), &Scheduler::main());
        size_t levels = 0;
        QObject::connect(rig.mic.get(), &Mic::levelMeasured, [&](double) { ++levels; });
        std::atomic<size_t> heard = 0;
        rig.mic->setMeetingSink([&](std::span<const int16_t> chunk) { heard += chunk.size(); });
        rig.mic->start();
        measureLive(state, heard);
        rig.mic->setMeetingSink(nullptr);
        const size_t recorded = rig.mic->stopSamples().size();
        serveMainThread(0.1);
        state.counters["levels_per_audio_s"] =
            recorded ? double(levels) * Mic::sampleRate / double(recorded) : 0;
    }
}
BENCHMARK(BM_PulseRecordingLive)->Iterations(1)->Unit(benchmark::kMillisecond);

// The floor under the figure above: the same record stream with nothing done with its data.
void BM_PulseStreamOnlyLive(benchmark::State& state) {
    PulseContext pulse("bench");
    if (!serverAnswers(state, pulse))
        return;
    for (auto _ : state) {
        PulseRecordStream stream(pulse);
        std::atomic<size_t> heard = 0;
        stream.onData = [&](const void*, size_t bytes) { heard += bytes / sizeof(int16_t); };
        // The microphone's fragment size.
        if (stream.open({}, {PA_SAMPLE_S16LE, Mic::sampleRate, 1}, 0.2, "bench") != 0) {
            state.SkipWithError("no source");
            return;
        }
        measureLive(state, heard);
    }
}
BENCHMARK(BM_PulseStreamOnlyLive)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
