#include "engine/EngineSupervisor.h"

#include "core/Clock.h"
#include "core/DebugLog.h"
#include "core/Dispatch.h"
#include "core/SystemLog.h"
#include "engine/EngineTransport.h"
#include "uistate/UIState.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QUrl>

namespace {
constexpr double restartInterval = 10.0;
constexpr double pingTimeout = 1.0;
constexpr int terminateGraceMs = 3000;
constexpr int logTailLines = 3;
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
    server_->disconnect(this);
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
    sweepStaleEngines(++launches);
}

void EngineSupervisor::sweepStaleEngines(unsigned long long launch) {
    // Ends an engine left on our port by an earlier run, which would otherwise keep the port.
    auto* sweep = new QProcess(this);
    auto next = [this, sweep, launch] {
        sweep->deleteLater();
        if (launch == launches)
            this->launch(launch);
    };
    connect(sweep, &QProcess::finished, this, next);
    connect(sweep, &QProcess::errorOccurred, this, [next](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            next();
    });
    sweep->start(options.pkill, {"-f", QString("whisper-server.*--port %1").arg(options.port)});
}

void EngineSupervisor::launch(unsigned long long launch) {
    auto* process = new QProcess;
    process->setProgram(options.serverBin);
    process->setArguments(arguments(options.modelPath, options.port, threadCount(options.cores)));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(logTarget());
    connect(process, &QProcess::started, this, [this, process, launch] {
        if (launch != launches)
            return discard(process);
        answeredSinceLaunch = false;
        if (server_)
            discard(server_.release());
        server_.reset(process);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        reportFailedStart(process->errorString());
        process->deleteLater();
    });
    connect(process, &QProcess::finished, this, [this, process] { onEngineFinished(process); });
    // Counted before the launch so a launch that fails also holds off stuck-engine restarts.
    lastRestart_ = clock.now();
    process->start();
}

// An engine that ends before it ever answered did not start: a bad model, an unknown argument
// (the engine then prints its usage and exits 0) or a port it could not bind. Waiting for the
// next restart request, which is rate-limited, keeps that from becoming a launch loop.
void EngineSupervisor::onEngineFinished(QProcess* process) {
    if (process != server_.get() || answeredSinceLaunch)
        return;
    const QString how = process->exitStatus() == QProcess::CrashExit
                            ? QString("ended by a signal")
                            : QString("exit status %1").arg(process->exitCode());
    const QString tail = logTail();
    reportFailedStart(tail.isEmpty() ? how : how + "; server.log: " + tail);
}

void EngineSupervisor::reportFailedStart(const QString& reason) {
    systemLog("failed to start server: " + reason);
    ui.setEngineFailed(true);
}

QString EngineSupervisor::logTarget() const {
    QFile log(options.logPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return options.logPath;
    return QProcess::nullDevice();
}

QString EngineSupervisor::logTail() const {
    QFile log(options.logPath);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines.mid(std::max<qsizetype>(0, lines.size() - logTailLines)).join(" | ");
}

void EngineSupervisor::pingServer() {
    const QUrl url(QString("http://127.0.0.1:%1/").arg(options.port));
    transport.probe(url, pingTimeout, [this, self = QPointer<QObject>(this)](bool ready) {
        onMain(self, [this, ready] { applyPing(ready); });
    });
}

void EngineSupervisor::applyPing(bool ready) {
    if (ready) {
        answeredSinceLaunch = true;
        ui.setEngineFailed(false);
    }
    ui.setEngineReady(ready);
    ui.setAxTrusted(options.axTrusted());
}

void EngineSupervisor::startPingTimer(double seconds) {
    pingTimer.start(int(seconds * 1000.0));
}

void EngineSupervisor::restartStuckServer() {
    onMain(this, [this] { restartIfDue(); });
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
        onMain(this, [this] { startServer(); });
        return;
    }
    stopThenStart(old);
}

// Asks the old engine to go and starts the next one once it has; one that ignores the request
// is killed after 3 s. Kept as a child until then, so it is reaped even if we go first.
void EngineSupervisor::stopThenStart(QProcess* old) {
    old->disconnect(this);
    old->setParent(this);
    auto* grace = new QTimer(old);
    grace->setSingleShot(true);
    // A coarse timer may fire 5% early, cutting the engine's 3 s of grace short.
    grace->setTimerType(Qt::PreciseTimer);
    connect(grace, &QTimer::timeout, old, &QProcess::kill);
    connect(old, &QProcess::finished, this, [this, old] {
        old->deleteLater();
        startServer();
    });
    old->terminate();
    grace->start(terminateGraceMs);
}

// Drops a handle without waiting on the GUI thread for its process to go.
void EngineSupervisor::discard(QProcess* process) {
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning)
        return process->deleteLater();
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
}

// An engine still loading when Voxmere quits is not one that failed to start.
void EngineSupervisor::terminateServer() {
    if (!server_)
        return;
    server_->disconnect(this);
    server_->terminate();
}
