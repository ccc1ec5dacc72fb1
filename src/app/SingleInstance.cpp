#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>

#include <unistd.h>

SingleInstance::SingleInstance(QString name) : socketName(std::move(name)) {}

// The per-user runtime folder is private to the user and cleared at logout; /tmp is the fallback.
QString SingleInstance::defaultName() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + "/voxmere.sock";
    return QStringLiteral("voxmere-%1").arg(getuid());
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

bool SingleInstance::listen(std::function<void()> onActivate) {
    activate = std::move(onActivate);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a crashed instance would refuse the name; nobody answered on it above.
    QLocalServer::removeServer(socketName);
    if (!server.listen(socketName))
        return false;
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (auto* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (activate)
                activate();
        }
    });
    return true;
}
