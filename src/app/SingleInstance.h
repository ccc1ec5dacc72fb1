#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

// One Voxmere per user: the first launch listens on a per-user local socket; a later ordinary
// launch (autostart plus a manual start, say) finds it, asks it to come forward and exits, so two
// engines and two writers of the same files never run at once.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QString name = defaultName());
    static QString defaultName();

    // True when another instance answered and was asked to show its window.
    bool forwardToRunning(int timeoutMs = 1000);
    // True when another instance answers; it is not disturbed.
    bool isRunning(int timeoutMs = 1000);
    // Starts listening; each later launch is `activated` on the main thread. False only when
    // another instance started listening first (it has been asked to come forward instead), so
    // this launch should exit; a name that can't be listened on at all still lets Voxmere run.
    bool listen();

  signals:
    // A later launch asks this one to show its window.
    void activated();

  private:
    QString socketName;
    // Whoever holds it owns the name: two launches at once can't both take it.
    QLockFile lock;
    QLocalServer server;
};
