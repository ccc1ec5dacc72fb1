// A one-hour two-sided call through the real recorder: the microphone's capture path and a
// stand-in tap feed the intakes, the echo gate, the audio writers, the segmenters, the voice
// filter, the job lists and the live transcription into a meeting store in a temporary folder.
// The stand-in engine answers over real loopback HTTP, by pitch, so both sides get lines of their
// own. The audio is fed faster than real time on an injected clock; the recorder's main-thread
// work runs on this thread as the clock moves.
//
// Reported: the process CPU per hour of call (the engine is another process: its CPU is shown
// apart and not counted), and the most audio the job lists held during 20 minutes of call with
// the engine stopped, which the cap keeps at 10 minutes.
#include "Conversation.h"
#include "audio/Mic.h"
#include "calls/CallJobs.h"
#include "calls/MeetingLevels.h"
#include "calls/MeetingRecorder.h"
#include "engine/DictationGate.h"
#include "engine/EngineClient.h"
#include "engine/HttpEngineTransport.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "support/FakeMicCapture.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <ctime>
#include <mutex>
#include <unistd.h>

namespace {
using Conversation::chunk;
using Conversation::rate;

// Hours of call fed per hour of wall time: the stand-in engine keeps up with this on a busy
// 2-core machine, so no job is given up to the cap.
constexpr double speed = 20;
// With the engine stopped nothing waits on it; this only keeps the recorder's queue from
// falling behind the feed, which would measure the bench's backlog instead of the job lists.
constexpr double stoppedSpeed = 100;

double processCpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// User and system CPU of another process, from /proc.
double cpuSecondsOf(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
    // After the name: state is field 3, utime 14 and stime 15 of the whole line.
    return (fields.value(12).toDouble() + fields.value(13).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

double peakResidentMegabytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.simplified().split(' ').value(1).toDouble() / 1024;
    return 0;
}

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The stand-in engine on a port of its own, answering each voice with its own words.
class Engine {
  public:
    Engine() : port(freePort()) {
        QFile(dir.filePath("model.bin")).open(QIODevice::WriteOnly);
        QFile replies(dir.filePath("pitch-replies"));
        replies.open(QIODevice::WriteOnly);
        replies.write("160 our budget looks healthy\n1000 can we review the numbers\n");
        replies.close();
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("VOXMERE_STANDIN_DIR", dir.path());
        process.setProcessEnvironment(env);
        process.start(STANDIN_ENGINE, {"-m", dir.filePath("model.bin"), "--host", "127.0.0.1",
                                       "--port", QString::number(port)});
        process.waitForStarted();
        for (int i = 0; i < 200 && !listening(); ++i)
            QThread::msleep(50);
    }
    ~Engine() {
        process.kill();
        process.waitForFinished();
    }
    double cpuSeconds() const { return cpuSecondsOf(process.processId()); }
    int requests() const {
        return int(QDir(dir.filePath("requests")).entryList({"*.body"}, QDir::Files).size());
    }

    const int port;

  private:
    bool listening() const {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port));
        return socket.waitForConnected(100);
    }
    QTemporaryDir dir;
    QProcess process;
};

// The computer's audio as the bench plays it.
class Tap : public AudioTap {
  public:
    explicit Tap(OnSamples onSamples) : onSamples(std::move(onSamples)) {}
    bool start() override { return true; }
    void stop() override {}
    QString outputUID() const override { return "speakers"; }
    bool failed() const override { return false; }
    const OnSamples onSamples;
};

// The recorder with everything it is given: the real microphone (on a capture back end the
// bench feeds), a tap, the engine client over HTTP, the store and the audio files.
struct Rig {
    explicit Rig(int enginePort) {
        settings.settings.setEchoCancel(true);
        settings.settings.setFindSpeakers(false);
        // The audio is deleted after the call: packing an hour is measured by bench_store.
        settings.settings.setCallAudioDays(0);
        auto capture = std::make_unique<FakeMicCapture>();
        micCapture = capture.get();
        mic = std::make_unique<Mic>(clock, std::move(capture), MicMode::off, "");
        client = std::make_unique<EngineClient>(
            EngineClient::Options{enginePort, [] { return QString("en"); }, [] {}}, transport,
            gate, Scheduler::global());
        recorder = std::make_unique<MeetingRecorder>(MeetingRecorder::Services{
            clock, clock, settings.settings, store, audio, *mic, levels,
            [this](const QByteArray& wav, const QString& prompt, int attempt, bool background,
                   LiveTranscript::Done done) {
                client->transcribe(wav, prompt, attempt, background, std::move(done));
            },
            [this](AudioTap::OnSamples onSamples) -> std::unique_ptr<AudioTap> {
                auto made = std::make_unique<Tap>(std::move(onSamples));
                std::lock_guard guard(tapLock);
                tap = made.get();
                return made;
            },
            [] { return std::optional<QString>("speakers"); },
            {}});
    }

    // Starts a call and feeds `seconds` of it, no faster than `pace` times real time (0: as fast
    // as it goes); the recorder's main-thread work runs as the clock moves.
    void call(double seconds, double pace) {
        recorder->start(QString("Bench"));
        recorder->sync();
        while (!micCapture->running())
            QThread::msleep(1);
        const AudioTap::OnSamples far = tapSink();
        const Conversation::Call& c = Conversation::shared();
        const size_t length = c.mic.size();
        QElapsedTimer wall;
        wall.start();
        for (size_t fed = 0, n = 0; fed < size_t(seconds * rate); fed += n) {
            const size_t at = fed % length;
            n = std::min<size_t>(chunk, length - at);
            micCapture->push(Conversation::Samples(c.mic.begin() + qsizetype(at),
                                                   c.mic.begin() + qsizetype(at + n)));
            far(std::span(c.farEnd).subspan(at, n));
            clock.advance(double(n) / rate);
            const double ahead = double(fed) / rate / pace - double(wall.elapsed()) / 1000;
            if (pace > 0 && ahead > 0.005)
                QThread::usleep((unsigned long)(ahead * 1e6));
        }
    }

    // Stops the call and lets the main-thread work run until the last job is written.
    void finish() {
        recorder->stop();
        while (recorder->finishing()) {
            clock.advance(0);
            QThread::msleep(1);
        }
    }

    AudioTap::OnSamples tapSink() {
        std::lock_guard guard(tapLock);
        return tap->onSamples;
    }

    QTemporaryDir dir;
    ManualScheduler clock;
    TempSettings settings;
    CallAudio audio{dir.filePath("audio"), clock};
    MeetingStore store{dir.path(), clock, &audio};
    MeetingLevels levels;
    FakeMicCapture* micCapture = nullptr;
    std::unique_ptr<Mic> mic;
    HttpEngineTransport transport;
    DictationGate gate;
    std::unique_ptr<EngineClient> client;
    std::mutex tapLock;
    Tap* tap = nullptr;
    std::unique_ptr<MeetingRecorder> recorder;
};

int countLines(const MeetingStore& store, const SpeakerKey& who) {
    int n = 0;
    for (const MeetingLine& line : store.meetings().front().lines)
        n += line.who == who;
    return n;
}

// VOXMERE_BENCH_SECONDS shortens the call for a quick look.
double callSeconds() {
    const double asked = qEnvironmentVariable("VOXMERE_BENCH_SECONDS").toDouble();
    return asked > 0 ? asked : 3600;
}

void callHour(benchmark::State& state) {
    for (auto _ : state) {
        Engine engine;
        Rig rig(engine.port);
        const double seconds = callSeconds();
        Conversation::shared();
        const double cpu = processCpuSeconds();
        const double engineCpu = engine.cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        rig.call(seconds, speed);
        rig.finish();
        const double used = processCpuSeconds() - cpu;
        state.counters["call_s"] = seconds;
        state.counters["cpu_s"] = used;
        state.counters["cpu_percent_of_core"] = used / seconds * 100;
        state.counters["engine_cpu_s"] = engine.cpuSeconds() - engineCpu;
        state.counters["wall_s"] = double(wall.elapsed()) / 1000;
        state.counters["requests"] = engine.requests();
        state.counters["you_lines"] = countLines(rig.store, SpeakerKey::you());
        state.counters["them_lines"] = countLines(rig.store, SpeakerKey::them());
        state.counters["files_written"] = double(rig.store.filesWritten());
        state.counters["peak_queued_s"] = double(rig.recorder->peakQueuedSamples()) / rate;
    }
}
BENCHMARK(callHour)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void engineStopped(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig(freePort());
        Conversation::shared();
        const double before = peakResidentMegabytes();
        rig.call(20 * 60, stoppedSpeed);
        const double queued = double(rig.recorder->peakQueuedSamples());
        state.counters["peak_queued_min"] = queued / rate / 60;
        state.counters["peak_queued_mb"] = queued * 2 / 1e6;
        state.counters["cap_min"] = double(CallJobs::defaultCap) / rate / 60;
        state.counters["peak_rss_growth_mb"] = peakResidentMegabytes() - before;
        rig.recorder->stop();
    }
}
BENCHMARK(engineStopped)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
