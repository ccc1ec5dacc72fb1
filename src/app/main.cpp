#include "app/App.h"
#include "app/Constants.h"
#include "app/DiagnosticModes.h"
#include "app/RenameMode.h"
#include "core/Paths.h"
#include "app/SignalQuit.h"
#include "app/SingleInstance.h"

#include <QApplication>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>

namespace {
QStringList arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

void fixConstants() {
    Constants::set(Constants::fromEnvironment(QCoreApplication::applicationDirPath()));
    Paths::ensureDataDir();
}

// Listings print and exit; they need no display, so they run without the GUI.
int runListing(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    fixConstants();
    return *DiagnosticModes::runListing(QCoreApplication::arguments().mid(1));
}
} // namespace

int main(int argc, char** argv) {
    QApplication::setOrganizationName("Voxmere");
    QApplication::setApplicationName("Voxmere");
    const QStringList args = arguments(argc, argv);
    if (DiagnosticModes::isListing(args))
        return runListing(argc, argv);

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    fixConstants();

    // Pool threads carry engine replies and retries; a 2-core machine's default of two would let
    // a couple of slow waits hold up everything else queued there.
    QThreadPool::globalInstance()->setMaxThreadCount(std::max(QThread::idealThreadCount(), 8));

    SingleInstance instance;
    // A mode that changes the stored meetings would race the running Voxmere's own writes.
    if (RenameMode::wanted(args) && instance.othersRunning()) {
        std::fputs("Voxmere is already running; quit it first\n", stderr);
        return 1;
    }
    if (instance.forwardToRunning())
        return 0;

    App app(args);
    if (!instance.listen([&app] { app.openWindow(); }))
        return 0;
    SignalQuit::install();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &app,
                     [&app] { app.applicationWillTerminate(); });
    QTimer::singleShot(0, &app, [&app] { app.applicationDidFinishLaunching(); });
    return QApplication::exec();
}
