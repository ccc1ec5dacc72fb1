#include "app/App.h"
#include "app/CommandLineModes.h"
#include "app/Constants.h"
#include "app/SignalQuit.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "core/Paths.h"
#include "core/Scheduler.h"
#include "system/Installer.h"

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

// Beside a running Voxmere, without the one-instance check, the engine or the user's files.
int runOnItsOwn(int argc, char** argv, const CommandLineMode& mode) {
    if (mode.draws) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication application(argc, argv);
        Translations::install(application);
        fixConstants();
        return mode.run(QCoreApplication::arguments().mid(1));
    }
    QCoreApplication application(argc, argv);
    Translations::install(application);
    fixConstants();
    return mode.run(QCoreApplication::arguments().mid(1));
}

int refuse() {
    std::fprintf(stderr, "%s\n",
                 qPrintable(QCoreApplication::translate("CommandLineModes",
                                                        CommandLineModes::alreadyRunning)));
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    QApplication::setOrganizationName("Voxmere");
    QApplication::setApplicationName("Voxmere");
    const QStringList args = arguments(argc, argv);
    const auto mode = CommandLineModes::find(args);
    if (mode && mode->kind == CommandLineMode::Kind::onItsOwn)
        return runOnItsOwn(argc, argv, *mode);
    const bool onTheUsersData = mode.has_value();

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Translations::install(application);
    fixConstants();

    // Pool threads carry engine replies and retries; a 2-core machine's default of two would let
    // a couple of slow waits hold up everything else queued there.
    QThreadPool::globalInstance()->setMaxThreadCount(std::max(QThread::idealThreadCount(), 8));

    // Before the one-instance check: the copy it starts must be able to take the name.
    Installer installer(Installer::real(), Scheduler::global());
    if (installer.moveIfOnInstallMedium(args))
        return 0;

    SingleInstance instance;
    if (onTheUsersData ? instance.isRunning() : instance.forwardToRunning())
        return onTheUsersData ? refuse() : 0;

    App app(args);
    QObject::connect(&instance, &SingleInstance::activated, &app, &App::openWindow);
    if (!instance.listen())
        return onTheUsersData ? refuse() : 0;
    SignalQuit::install();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &app,
                     [&app] { app.applicationWillTerminate(); });
    QTimer::singleShot(0, &app, [&app, &args, &installer, mode] {
        app.applicationDidFinishLaunching();
        installer.ejectInstallerDisk();
        if (mode)
            mode->runInApp(app, args);
    });
    return QApplication::exec();
}
