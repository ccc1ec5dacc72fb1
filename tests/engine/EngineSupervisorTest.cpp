#include "engine/EngineSupervisor.h"

#include "core/DebugLog.h"
#include "core/Paths.h"
#include "support/FakeEngineTransport.h"
#include "support/ManualScheduler.h"
#include "uistate/UIState.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <thread>

namespace {

class EngineSupervisorTest : public testing::Test {
  protected:
    QTemporaryDir dir;
    ManualScheduler time;
    FakeEngineTransport engine;
    UIState ui;
    bool trusted = true;

    void SetUp() override {
        Paths::ensureDataDir();
        QFile::remove(Paths::dataFile("debug.log"));
    }

    EngineSupervisor::Options options(const QString& model, const QString& bin) {
        return {18191, model, bin, dir.filePath("server.log"), 8, [this] { return trusted; }};
    }

    QString model() {
        QFile file(dir.filePath("model.bin"));
        file.open(QIODevice::WriteOnly);
        return file.fileName();
    }

    QString script(const QString& name, const QString& body) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        return file.fileName();
    }

    static int logLines(const QString& message) {
        QFile log(Paths::dataFile("debug.log"));
        if (!log.open(QIODevice::ReadOnly))
            return 0;
        return int(log.readAll().count(" " + message.toUtf8() + "\n"));
    }
};

TEST(EngineThreads, LeaveTwoCoresButNeverFewerThanFour) {
    EXPECT_EQ(EngineSupervisor::threadCount(8), 6);
    EXPECT_EQ(EngineSupervisor::threadCount(6), 4);
    EXPECT_EQ(EngineSupervisor::threadCount(4), 4);
    EXPECT_EQ(EngineSupervisor::threadCount(2), 4);
    EXPECT_EQ(EngineSupervisor::threadCount(1), 4);
}

TEST(EngineArguments, AreTheFixedListInOrder) {
    EXPECT_EQ(EngineSupervisor::arguments("/m/ggml.bin", 8178, 6),
              (QStringList{"-m", "/m/ggml.bin", "--host", "127.0.0.1", "--port", "8178", "-t", "6",
                           "-nt"}));
}

TEST_F(EngineSupervisorTest, MissingModelLeavesTheEngineStoppedAndSaysSo) {
    EngineSupervisor supervisor(options(dir.filePath("absent.bin"), "/bin/true"), engine, ui, time);
    supervisor.startServer();
    EXPECT_EQ(supervisor.server(), nullptr);
    EXPECT_EQ(logLines("model missing, engine not started: " + dir.filePath("absent.bin")), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("server.log")));
}

TEST_F(EngineSupervisorTest, EmptyModelPathCountsAsMissing) {
    EngineSupervisor supervisor(options("", "/bin/true"), engine, ui, time);
    supervisor.startServer();
    EXPECT_EQ(supervisor.server(), nullptr);
    EXPECT_EQ(logLines("model missing, engine not started: "), 1);
}

TEST_F(EngineSupervisorTest, FailedLaunchIsReportedOnStandardErrorAndStillCounts) {
    EngineSupervisor supervisor(options(model(), dir.filePath("no-such-engine")), engine, ui, time);
    testing::internal::CaptureStderr();
    supervisor.startServer();
    QTRY_VERIFY(ui.engineFailed());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Voxmere: failed to start server: ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(supervisor.server(), nullptr);
    EXPECT_EQ(supervisor.lastRestart(), time.now());
}

// A bad model, an unknown argument (usage, then exit 0) or a taken port all end the engine
// before it answers; only the next rate-limited restart request tries again.
TEST_F(EngineSupervisorTest, EngineThatEndsBeforeAnsweringFailedToStartAndIsNotRelaunched) {
    const QString engineBin =
        script("engine.sh", "echo loading; echo; echo 'invalid model data (bad magic)'; "
                            "echo 'failed to initialize whisper context'; exit 3");
    EngineSupervisor supervisor(options(model(), engineBin), engine, ui, time);
    QSignalSpy failed(&ui, &UIState::engineFailedChanged);
    testing::internal::CaptureStderr();
    supervisor.startServer();
    QTRY_VERIFY(ui.engineFailed());
    QTest::qWait(200);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Voxmere: failed to start server: exit status 3; server.log: loading | "
                   "invalid model data (bad magic) | failed to initialize whisper context\n");
    ASSERT_NE(supervisor.server(), nullptr);
    EXPECT_EQ(supervisor.server()->state(), QProcess::NotRunning);

    supervisor.pingServer();
    engine.answerProbe(true);
    QTRY_VERIFY(!ui.engineFailed());
    EXPECT_EQ(failed.count(), 2);
}

TEST_F(EngineSupervisorTest, EngineStoppedAtQuitBeforeItAnsweredIsNoFailedStart) {
    EngineSupervisor supervisor(options(model(), script("engine.sh", "exec sleep 30")), engine, ui,
                                time);
    supervisor.startServer();
    QTRY_VERIFY(supervisor.server() != nullptr);
    supervisor.terminateServer();
    ASSERT_TRUE(supervisor.server()->waitForFinished(5000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(ui.engineFailed());
}

TEST_F(EngineSupervisorTest, SlowSweepDoesNotHoldTheGuiThread) {
    const QString go = dir.filePath("go");
    const QString sweep =
        script("pkill.sh", "for i in $(seq 50); do [ -e '" + go + "' ] && exit 1; sleep 0.1; done");
    auto o = options(model(), script("engine.sh", "exec sleep 30"));
    o.pkill = sweep;
    EngineSupervisor supervisor(o, engine, ui, time);
    supervisor.startServer();
    QTest::qWait(300);
    EXPECT_EQ(supervisor.server(), nullptr) << "launched only once the sweep has ended";
    QFile(go).open(QIODevice::WriteOnly);
    QTRY_VERIFY(supervisor.server() != nullptr);
}

TEST_F(EngineSupervisorTest, StuckEngineRestartsAtMostOncePerTenSeconds) {
    EngineSupervisor supervisor(options(dir.filePath("absent.bin"), "/bin/true"), engine, ui, time);
    const double start = time.now();
    supervisor.restartStuckServer();
    supervisor.restartStuckServer();
    QCoreApplication::processEvents();
    EXPECT_EQ(supervisor.lastRestart(), start);
    time.advance(3);
    supervisor.restartStuckServer();
    QCoreApplication::processEvents();
    EXPECT_EQ(supervisor.lastRestart(), start);
    EXPECT_EQ(logLines("server error, restarting"), 1);

    time.advance(8);
    supervisor.restartStuckServer();
    QCoreApplication::processEvents();
    EXPECT_EQ(supervisor.lastRestart(), start + 11);
    EXPECT_EQ(logLines("server error, restarting"), 2);
}

TEST_F(EngineSupervisorTest, RestartRequestFromAnotherThreadIsDecidedOnTheMainThread) {
    EngineSupervisor supervisor(options(dir.filePath("absent.bin"), "/bin/true"), engine, ui, time);
    std::thread([&] { supervisor.restartStuckServer(); }).join();
    EXPECT_EQ(logLines("server error, restarting"), 0);
    QTRY_COMPARE(logLines("server error, restarting"), 1);
    EXPECT_EQ(supervisor.lastRestart(), time.now());
}

TEST_F(EngineSupervisorTest, PingAsksForTheRootWithinOneSecondAndReportsBothFlags) {
    EngineSupervisor supervisor(options(dir.filePath("absent.bin"), "/bin/true"), engine, ui, time);
    QSignalSpy ready(&ui, &UIState::engineReadyChanged);
    QSignalSpy trust(&ui, &UIState::axTrustedChanged);
    trusted = false;
    supervisor.pingServer();
    ASSERT_EQ(engine.probes.size(), 1u);
    EXPECT_EQ(engine.probes[0].url.toString(), "http://127.0.0.1:18191/");
    EXPECT_EQ(engine.probes[0].timeoutSeconds, 1.0);
    engine.answerProbe(true);
    QTRY_VERIFY(ui.engineReady());
    EXPECT_FALSE(ui.axTrusted());

    supervisor.pingServer();
    engine.answerProbe(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(ready.count(), 1);
    EXPECT_EQ(trust.count(), 1);

    supervisor.pingServer();
    engine.answerProbe(false);
    QTRY_VERIFY(!ui.engineReady());
}

} // namespace
