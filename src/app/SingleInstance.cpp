#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace {
// Beside the socket; a bare name lives in the temporary folder, as the socket itself does.
QString lockPath(const QString& socketName) {
    const QString path =
        socketName.startsWith('/') ? socketName : QDir::tempPath() + "/" + socketName;
    return path + ".lock";
}
} // namespace

SingleInstance::SingleInstance(QString name)
    : socketName(std::move(name)), lock(lockPath(socketName)) {
    // Only an owner that has died gives up the name; a long-running one never goes stale.
    lock.setStaleLockTime(0);
}

// The per-user runtime folder is private to the user and cleared at logout; /tmp is the fallback.
QString SingleInstance::defaultName() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + "/voxmere.sock";
    return QStringLiteral("voxmere-%1").arg(getuid());
}

bool SingleInstance::isRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    return socket.waitForConnected(timeoutMs);
}

bool SingleInstance::forwardToRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write("show\n");
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        // The owner may be between taking the name and listening on it; give it a moment.
        const QDeadlineTimer deadline(3000);
        while (!forwardToRunning(200) && !deadline.hasExpired())
            QThread::msleep(50);
        return false;
    }
    server.setSocketOptions(QLocalServer::UserAccessOption);
    // With the name ours, a socket still there was left by an instance that crashed.
    QLocalServer::removeServer(socketName);
    if (!server.listen(socketName))
        return true;
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (auto* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // Only a launch that asks comes forward: a mode that merely checks says nothing.
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("show"))
                    emit activated();
            });
        }
    });
    return true;
}
