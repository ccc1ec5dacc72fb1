#include "app/SignalQuit.h"

#include "app/Quit.h"

#include <QCoreApplication>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int fds[2] = {-1, -1};
}

void SignalQuit::install() {
    static SignalQuit* instance = new SignalQuit;
    Q_UNUSED(instance);
}

SignalQuit::SignalQuit() : QObject(QCoreApplication::instance()) {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0)
        return;
    // A burst of signals must never block the handler: one byte waiting is enough to quit.
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    notifier = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [] {
        char byte;
        if (::read(fds[1], &byte, 1) > 0)
            Quit::now();
    });
    struct sigaction action = {};
    action.sa_handler = &SignalQuit::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void SignalQuit::handle(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(fds[0], &byte, 1);
}
