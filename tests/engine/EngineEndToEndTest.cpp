#include "core/DebugLog.h"
#include "core/Dispatch.h"
#include "core/Paths.h"
#include "core/Scheduler.h"
#include "core/Wav.h"
#include "engine-standin/StandInEngine.h"
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

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>

namespace {

// The real transport, remembering what was sent so the bytes the engine received can be
// compared with them.
class RecordingTransport : public EngineTransport {
  public:
    HttpEngineTransport http;
    std::atomic<int> posts = 0;
    QByteArray lastBody, lastContentType;

    void post(const QUrl& url, const QByteArray& contentType, const QByteArray& body,
              double timeoutSeconds, std::function<void(Reply)> done) override {
        ++posts;
        lastBody = body;
        lastContentType = contentType;
        http.post(url, contentType, body, timeoutSeconds, std::move(done));
    }

    void probe(const QUrl& url, double timeoutSeconds, std::function<void(bool)> done) override {
        http.probe(url, timeoutSeconds, std::move(done));
    }
};

class EngineEndToEndTest : public testing::Test {
  protected:
    RecordingTransport transport;
    ManualScheduler clock;
    UIState ui;
    DictationGate gate;
    QuickScheduler quick;
    std::atomic<int> restartsAfter = -1;

    std::mutex lock;
    std::optional<std::optional<QString>> result;
    bool doneOnMainThread = false;
    int doneCalls = 0;

    EngineClient client(EngineSupervisor& supervisor, int port) {
        return EngineClient({port, [] { return QString("en"); },
                             [this, &supervisor] {
                                 restartsAfter = transport.posts.load();
                                 supervisor.restartStuckServer();
                             }},
                            transport, gate, quick);
    }

    EngineClient::Done receiver() {
        return [this](std::optional<QString> text) {
            std::lock_guard guard(lock);
            result = text;
            doneOnMainThread = isMainThread();
            ++doneCalls;
        };
    }

    std::optional<QString> waitForText() {
        const bool arrived = QTest::qWaitFor(
            [this] {
                std::lock_guard guard(lock);
                return result.has_value();
            },
            20000);
        std::lock_guard guard(lock);
        return arrived ? *result : std::nullopt;
    }
};

TEST_F(EngineEndToEndTest, SupervisorLaunchesTheEngineWithItsArgumentsAndLogsBothStreams) {
    StandInEngine standIn(18241);
    standIn.setRootStatus(500);
    QFile old(standIn.options().logPath);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("output of an earlier engine\n");
    old.close();
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    QSignalSpy readyChanges(&ui, &UIState::engineReadyChanged);

    supervisor.startServer();
    QTRY_VERIFY(supervisor.server() != nullptr);
    EXPECT_EQ(supervisor.lastRestart(), clock.now());
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui)) << "a 500 answer counts as ready";
    supervisor.pingServer();
    QTest::qWait(50);
    EXPECT_EQ(readyChanges.count(), 1);

    EXPECT_EQ(standIn.args(), (QStringList{"-m", standIn.options().modelPath, "--host", "127.0.0.1",
                                           "--port", "18241", "-t", "6", "-nt"}));
    const QByteArray log = standIn.serverLog();
    EXPECT_FALSE(log.contains("earlier engine"));
    EXPECT_TRUE(log.contains("stand-in: loading model")) << log.constData();
    EXPECT_TRUE(log.contains("stand-in: listening at http://127.0.0.1:18241")) << log.constData();
}

TEST_F(EngineEndToEndTest, StaleEngineOnThePortIsSweptBeforeLaunch) {
    StandInEngine standIn(18242);
    QProcess stale;
    stale.start(STANDIN_ENGINE, EngineSupervisor::arguments(standIn.options().modelPath, 18242, 4));
    ASSERT_TRUE(stale.waitForStarted());
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);

    supervisor.startServer();
    EXPECT_TRUE(stale.state() == QProcess::NotRunning || stale.waitForFinished(5000));
    EXPECT_EQ(stale.exitStatus(), QProcess::CrashExit) << "ended by the sweep's signal";
    EXPECT_TRUE(waitUntilEngineReady(supervisor, ui));
}

TEST_F(EngineEndToEndTest, WavIsTranscribedOverRealHttp) {
    StandInEngine standIn(18243);
    standIn.setReplies("text  Hello from the engine.\n");
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));

    auto engineClient = client(supervisor, standIn.port);
    engineClient.transcribe(toneWav(1), "Voxmere", 0, false, receiver());
    EXPECT_EQ(waitForText(), " Hello from the engine.");
    EXPECT_FALSE(doneOnMainThread);
    ASSERT_EQ(standIn.requests(), 1);
    EXPECT_EQ(standIn.contentType(1), transport.lastContentType);
    EXPECT_EQ(standIn.body(1), transport.lastBody);
    EXPECT_TRUE(standIn.body(1).contains(toneWav(1)));
}

TEST_F(EngineEndToEndTest, EngineThatDiesIsRestartedByTheRetryPathAtAttemptTwelve) {
    StandInEngine standIn(18244);
    standIn.setReplies("exit\ntext  back again\n");
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));
    const qint64 firstPid = supervisor.server()->processId();
    clock.advance(11); // past the restart rate limit of the launch itself
    Paths::ensureDataDir();

    auto engineClient = client(supervisor, standIn.port);
    engineClient.transcribe(toneWav(1), {}, 0, false, receiver());
    EXPECT_EQ(waitForText(), " back again");
    EXPECT_EQ(restartsAfter, 13);
    EXPECT_EQ(doneCalls, 1);
    EXPECT_EQ(standIn.requests(), 2);
    ASSERT_NE(supervisor.server(), nullptr);
    EXPECT_NE(supervisor.server()->processId(), firstPid);
    QFile log(Paths::dataFile("debug.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains(" server error, restarting\n"));
}

// The engine refuses connections until its model has loaded; the refusal retries carry a
// dictation over that, and a loading engine is not one that failed.
TEST_F(EngineEndToEndTest, RequestSentWhileTheModelLoadsIsAnsweredOnceItHas) {
    StandInEngine standIn(18247);
    standIn.setLoadDelay(1);
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    auto engineClient = client(supervisor, standIn.port);
    engineClient.transcribe(toneWav(1), {}, 0, false, receiver());
    EXPECT_EQ(waitForText(), " stand-in transcript\n");
    EXPECT_GT(transport.posts, 1);
    EXPECT_FALSE(ui.engineFailed());
}

class EngineRestartTest : public EngineEndToEndTest {
  protected:
    // Restarts a ready engine; answers how long the old one took to go away, in ms.
    qint64 restart(EngineSupervisor& supervisor) {
        const qint64 oldPid = supervisor.server()->processId();
        QElapsedTimer elapsed;
        elapsed.start();
        supervisor.restartServer();
        EXPECT_EQ(supervisor.server(), nullptr);
        EXPECT_FALSE(ui.engineReady());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return supervisor.server() && supervisor.server()->processId() != oldPid; },
            10000));
        const qint64 took = elapsed.elapsed();
        EXPECT_EQ(::kill(pid_t(oldPid), 0), -1);
        EXPECT_EQ(errno, ESRCH);
        EXPECT_TRUE(waitUntilEngineReady(supervisor, ui));
        return took;
    }
};

TEST_F(EngineRestartTest, EngineThatIgnoresTerminateIsKilledAfterThreeSeconds) {
    StandInEngine standIn(18245);
    standIn.ignoreTerminate();
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));
    const qint64 took = restart(supervisor);
    EXPECT_GE(took, 3000);
    EXPECT_LT(took, 8000);
}

TEST_F(EngineRestartTest, EngineThatHonoursTerminateIsReplacedWithoutTheWait) {
    StandInEngine standIn(18246);
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));
    EXPECT_LT(restart(supervisor), 2500);
}

} // namespace
