// What one engine request costs the client against what it costs the engine. "client" builds the
// request, hands it to a transport that answers at once and decodes the reply: Voxmere's own
// work. "round trip" sends 5 s of audio to the real whisper-server (run on the generated test
// model, port 18179) over loopback HTTP; its "engine_ms" counter is the engine's processing per
// request from the timings it writes to server.log at exit, and "overhead_ms" the rest: HTTP,
// the engine's parsing, and the client.
#include "core/Scheduler.h"
#include "core/Wav.h"
#include "engine/DictationGate.h"
#include "engine/EngineClient.h"
#include "engine/EngineSupervisor.h"
#include "engine/HttpEngineTransport.h"
#include "support/ToneWav.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <chrono>
#include <future>

namespace {

constexpr int benchPort = 18179;

class InstantTransport : public EngineTransport {
  public:
    void post(const QUrl&, const QByteArray&, const QByteArray& body, double,
              std::function<void(Reply)> done) override {
        benchmark::DoNotOptimize(body.size());
        done({Reply::Kind::answered, " Hello from the engine.\n", 200});
    }
    void probe(const QUrl&, double, std::function<void(bool)> done) override { done(true); }
};

void BM_EngineClient(benchmark::State& state) {
    InstantTransport transport;
    DictationGate gate;
    EngineClient client({benchPort, [] { return QString("en"); }, [] {}}, transport, gate,
                        Scheduler::global());
    const QByteArray wav = toneWav(5);
    for (auto _ : state)
        client.transcribe(wav, "Kubernetes, PostgreSQL", 0, false,
                          [](std::optional<QString> text) { benchmark::DoNotOptimize(text); });
}
BENCHMARK(BM_EngineClient)->Unit(benchmark::kMicrosecond);

bool listening(int ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        QTcpSocket socket;
        socket.connectToHost("127.0.0.1", quint16(benchPort));
        if (socket.waitForConnected(100))
            return true;
        QThread::msleep(50);
    }
    return false;
}

// The engine's own processing in all requests, from the totals it prints when it stops.
double engineMilliseconds(const QByteArray& log) {
    double total = 0;
    const QRegularExpression line(
        R"(whisper_print_timings:\s+(mel|sample|encode|decode|batchd|prompt) time =\s+([0-9.]+) ms)");
    for (auto m = line.globalMatch(QString::fromUtf8(log)); m.hasNext();)
        total += m.next().captured(2).toDouble();
    return total;
}

void BM_EngineRoundTrip(benchmark::State& state) {
    QTemporaryDir dir;
    const QString model = dir.filePath("ggml-test.bin");
    if (!QFile::exists(WHISPER_SERVER) ||
        QProcess::execute("python3", {MAKE_TEST_MODEL, model}) != 0) {
        state.SkipWithError("no whisper-server: run `make engine` first");
        return;
    }
    QProcess engine;
    engine.setProcessChannelMode(QProcess::MergedChannels);
    engine.setStandardOutputFile(dir.filePath("server.log"));
    engine.start(WHISPER_SERVER, EngineSupervisor::arguments(model, benchPort, 4));
    if (!engine.waitForStarted() || !listening(30000)) {
        state.SkipWithError("whisper-server did not start");
        return;
    }
    HttpEngineTransport transport;
    DictationGate gate;
    EngineClient client({benchPort, [] { return QString("en"); }, [] {}}, transport, gate,
                        Scheduler::global());
    const QByteArray wav = toneWav(5);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        std::promise<void> answered;
        client.transcribe(wav, "Kubernetes, PostgreSQL", 0, false,
                          [&](std::optional<QString>) { answered.set_value(); });
        answered.get_future().wait();
    }
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    engine.terminate();
    engine.waitForFinished(5000);
    QFile log(dir.filePath("server.log"));
    log.open(QIODevice::ReadOnly);
    const double requests = double(state.iterations());
    const double engineMs = engineMilliseconds(log.readAll()) / requests;
    state.counters["engine_ms"] = engineMs;
    state.counters["overhead_ms"] = wall.count() / requests - engineMs;
}
BENCHMARK(BM_EngineRoundTrip)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace
