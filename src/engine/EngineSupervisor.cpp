#include "engine/EngineSupervisor.h"
#include "core/SystemLog.h"

#include "core/Clock.h"
#include "core/DebugLog.h"
#include "core/Dispatch.h"
#include "engine/EngineTransport.h"
#include "uistate/UIState.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {
constexpr double restartInterval = 10.0;
constexpr double pingTimeout = 1.0;
constexpr auto terminateGrace = std::chrono::milliseconds(3000);
constexpr auto terminatePoll = std::chrono::milliseconds(50);
} // namespace

EngineSupervisor::EngineSupervisor(Options options, EngineTransport& transport, UIState& ui,
                                   Clock& clock)
    : options(std::move(options)), transport(transport), ui(ui), clock(clock) {
    connect(&pingTimer, &QTimer::timeout, this, &EngineSupervisor::pingServer);
}

// The engine was asked to terminate when Voxmere began to quit; a moment's grace lets it close its
// socket cleanly before the kill that would otherwise end it mid-request.
EngineSupervisor::~EngineSupervisor() {
    if (!server_ || server_->state() == QProcess::NotRunning)
        return;
    server_->terminate();
    if (!server_->waitForFinished(1000)) {
        server_->kill();
        server_->waitForFinished(1000);
    }
}

int EngineSupervisor::threadCount(int cores) {
    return std::max(cores - 2, 4);
}

QStringList EngineSupervisor::arguments(const QString& modelPath, int port, int threads) {
    return {"-m",     modelPath,
            "--host", "127.0.0.1",
            "--port", QString::number(port),
            "-t",     QString::number(threads),
            "-nt"};
}

void EngineSupervisor::startServer() {
    if (!QFile::exists(options.modelPath)) {
        debugLog("model missing, engine not started: " + options.modelPath);
        return;
    }
    sweepStaleEngines();
    auto process = std::make_unique<QProcess>();
    process->setProgram(options.serverBin);
    process->setArguments(arguments(options.modelPath, options.port, threadCount(options.cores)));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(logTarget());
    // Counted before the launch so a launch that fails also holds off stuck-engine restarts.
    lastRestart_ = clock.now();
    process->start();
    if (!process->waitForStarted()) {
        systemLog("failed to start server: " + process->errorString());
        return;
    }
    server_ = std::move(process);
}

void EngineSupervisor::sweepStaleEngines() const {
    // Ends an engine left on our port by an earlier run, which would otherwise keep the port.
    QProcess::execute("/usr/bin/pkill",
                      {"-f", QString("whisper-server.*--port %1").arg(options.port)});
}

QString EngineSupervisor::logTarget() const {
    QFile log(options.logPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return options.logPath;
    return QProcess::nullDevice();
}

void EngineSupervisor::pingServer() {
    const QUrl url(QString("http://127.0.0.1:%1/").arg(options.port));
    transport.probe(url, pingTimeout, [self = QPointer(this)](bool ready) {
        onMain([self, ready] {
            if (self)
                self->applyPing(ready);
        });
    });
}

void EngineSupervisor::applyPing(bool ready) {
    if (ui.engineReady() != ready)
        ui.setEngineReady(ready);
    const bool trusted = options.axTrusted();
    if (ui.axTrusted() != trusted)
        ui.setAxTrusted(trusted);
}

void EngineSupervisor::startPingTimer(double seconds) {
    pingTimer.start(int(seconds * 1000.0));
}

void EngineSupervisor::restartStuckServer() {
    onMain([self = QPointer(this)] {
        if (self)
            self->restartIfDue();
    });
}

void EngineSupervisor::restartIfDue() {
    const double now = clock.now();
    if (now - lastRestart_ <= restartInterval)
        return;
    lastRestart_ = now;
    debugLog("server error, restarting");
    restartServer();
}

void EngineSupervisor::restartServer() {
    ui.setEngineReady(false);
    QProcess* old = server_.release();
    if (!old || old->state() == QProcess::NotRunning) {
        delete old;
        onMain([self = QPointer(this)] {
            if (self)
                self->startServer();
        });
        return;
    }
    // Kept as a child until it has gone, so it is reaped even if we are destroyed first.
    old->setParent(this);
    auto exited = std::make_shared<std::atomic_bool>(false);
    connect(old, &QProcess::finished, old, [exited] { *exited = true; });
    const qint64 pid = old->processId();
    onGlobal([self = QPointer(this), old, pid, exited] {
        stopProcess(pid, *exited);
        onMain([self, old] {
            if (!self)
                return;
            delete old;
            self->startServer();
        });
    });
}

void EngineSupervisor::stopProcess(qint64 pid, const std::atomic_bool& exited) {
    ::kill(pid_t(pid), SIGTERM);
    const auto asked = std::chrono::steady_clock::now();
    while (!exited && std::chrono::steady_clock::now() - asked < terminateGrace)
        std::this_thread::sleep_for(terminatePoll);
    if (!exited)
        ::kill(pid_t(pid), SIGKILL);
}

void EngineSupervisor::terminateServer() {
    if (server_)
        server_->terminate();
}
