// The real whisper-server, as the supervisor launches it, on a tensor-less model that loads as an
// empty model and transcribes everything to empty text.
#include "core/Wav.h"
#include "engine/DictationGate.h"
#include "engine/EngineClient.h"
#include "engine/EngineSupervisor.h"
#include "engine/HttpEngineTransport.h"
#include "support/EngineReady.h"
#include "support/ManualScheduler.h"
#include "support/QuickScheduler.h"
#include "support/ToneWav.h"
#include "uistate/UIState.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <mutex>

namespace {

// Not the application's port: the engine binds with SO_REUSEPORT alone, so connections that
// another server on 8178 (the stand-in) closed leave TIME_WAIT entries it cannot bind past for a
// minute.
constexpr int port = 18178;

class RealEngineTest : public testing::Test {
  protected:
    QTemporaryDir dir;
    HttpEngineTransport transport;
    ManualScheduler clock;
    UIState ui;
    DictationGate gate;
    QuickScheduler quick;
    std::atomic<int> restartRequests = 0;

    std::mutex lock;
    std::vector<std::optional<QString>> results;

    QString testModel() {
        const QString path = dir.filePath("ggml-test.bin");
        EXPECT_EQ(QProcess::execute("python3", {MAKE_TEST_MODEL, path}), 0);
        return path;
    }

    EngineSupervisor::Options options(const QString& model) {
        return {port, model, WHISPER_SERVER, dir.filePath("server.log"), 8, [] { return true; }};
    }

    EngineClient client(EngineSupervisor& supervisor) {
        return EngineClient({port, [] { return QString("en"); },
                             [this, &supervisor] {
                                 ++restartRequests;
                                 supervisor.restartStuckServer();
                             }},
                            transport, gate, quick);
    }

    EngineClient::Done collect() {
        return [this](std::optional<QString> text) {
            std::lock_guard guard(lock);
            results.push_back(text);
        };
    }

    bool waitForResults(size_t n) {
        return QTest::qWaitFor(
            [&] {
                std::lock_guard guard(lock);
                return results.size() >= n;
            },
            30000);
    }

    QByteArray serverLog() {
        QFile log(dir.filePath("server.log"));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    static QStringList commandLine(qint64 pid) {
        QFile file(QString("/proc/%1/cmdline").arg(pid));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QChar(0), Qt::SkipEmptyParts);
    }
};

TEST_F(RealEngineTest, LaunchedEngineAnswersInTurnTakesTheErrorPathForNoAudioAndStopsOnTerminate) {
    const QString model = testModel();
    EngineSupervisor supervisor(options(model), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui, 30000));
    EXPECT_TRUE(serverLog().contains("no tensors loaded")) << "ready only once the model is in";
    const qint64 pid = supervisor.server()->processId();
    EXPECT_EQ(commandLine(pid),
              QStringList{WHISPER_SERVER} + EngineSupervisor::arguments(model, port, 6));

    auto engine = client(supervisor);
    engine.transcribe(toneWav(1), "Kubernetes, Voxmere", 0, false, collect());
    engine.transcribe(toneWav(1), {}, 0, true, collect());
    ASSERT_TRUE(waitForResults(2));
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{QString(), QString()}));
    EXPECT_EQ(restartRequests, 0);

    // A file without samples is refused; after four tries the chain gives up.
    engine.transcribe(Wav::bytes({}), {}, 0, false, collect());
    ASSERT_TRUE(waitForResults(3));
    EXPECT_EQ(results[2], std::nullopt);
    EXPECT_EQ(restartRequests, 3);
    EXPECT_EQ(supervisor.server()->processId(), pid) << "restarts stay within the rate limit";
    EXPECT_FALSE(ui.engineFailed());

    supervisor.terminateServer();
    EXPECT_TRUE(supervisor.server()->waitForFinished(5000));
}

TEST_F(RealEngineTest, FileThatIsNotAModelIsReportedAsAFailedStart) {
    QFile bad(dir.filePath("ggml-bad.bin"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a model");
    bad.close();
    EngineSupervisor supervisor(options(bad.fileName()), transport, ui, clock);
    testing::internal::CaptureStderr();
    supervisor.startServer();
    const bool failed = QTest::qWaitFor([&] { return ui.engineFailed(); }, 10000);
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(failed);
    EXPECT_EQ(err.rfind("Voxmere: failed to start server: exit status 3; server.log: ", 0), 0u)
        << err;
    EXPECT_NE(err.find("invalid model data (bad magic)"), std::string::npos) << err;
    EXPECT_FALSE(ui.engineReady());
}

} // namespace
