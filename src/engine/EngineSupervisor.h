#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <functional>
#include <limits>
#include <memory>

class Clock;
class EngineTransport;
class QProcess;
class UIState;

// Owns the engine process: launches it with its fixed arguments, watches it with a health
// check that feeds the interface state, and restarts it when it is stuck. Lives on the GUI
// thread, which it never blocks: the sweep, the launch and the stopping of an old engine all
// finish in signals. Only `restartStuckServer` may be called from elsewhere.
class EngineSupervisor : public QObject {
    Q_OBJECT
  public:
    struct Options {
        int port = 8178;
        QString modelPath;
        QString serverBin;
        QString logPath;
        int cores = QThread::idealThreadCount();
        std::function<bool()> axTrusted;
        // Run with "-f" and the port's pattern to end stale engines before each launch.
        QString pkill = "/usr/bin/pkill";
    };

    EngineSupervisor(Options options, EngineTransport& transport, UIState& ui, Clock& clock);
    ~EngineSupervisor() override;

    void startServer();
    void pingServer();
    void startPingTimer(double seconds = 2.0);
    // At most one restart per 10 s however many callers ask; safe from any thread.
    void restartStuckServer();
    void restartServer();
    // A plain terminate request for quitting; not waited for.
    void terminateServer();

    QProcess* server() const { return server_.get(); }
    double lastRestart() const { return lastRestart_; }

    // Leaves two cores to the rest of the computer, but never starves the engine below four.
    static int threadCount(int cores);
    static QStringList arguments(const QString& modelPath, int port, int threads);

  private:
    void sweepStaleEngines(unsigned long long launch);
    void launch(unsigned long long launch);
    void onEngineFinished(QProcess* process);
    void reportFailedStart(const QString& reason);
    QString logTarget() const;
    QString logTail() const;
    void applyPing(bool ready);
    void restartIfDue();
    void stopThenStart(QProcess* old);
    void discard(QProcess* process);

    Options options;
    EngineTransport& transport;
    UIState& ui;
    Clock& clock;
    std::unique_ptr<QProcess> server_;
    // Moves on with every `startServer`, so a sweep or launch a newer one overtook is dropped.
    unsigned long long launches = 0;
    bool answeredSinceLaunch = false;
    double lastRestart_ = -std::numeric_limits<double>::infinity();
    QTimer pingTimer;
};
