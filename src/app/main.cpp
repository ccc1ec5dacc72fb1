#include "app/App.h"
#include "app/Constants.h"
#include "app/DiagnosticModes.h"
#include "app/Paths.h"
#include "app/SignalQuit.h"
#include "app/SingleInstance.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication::setOrganizationName("Voxmere");
    QApplication::setApplicationName("Voxmere");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments().mid(1);

    Constants::set(Constants::fromEnvironment(QCoreApplication::applicationDirPath()));
    Paths::ensureDataDir();

    if (auto status = DiagnosticModes::runListing(args))
        return *status;

    SingleInstance instance;
    if (!DiagnosticModes::isDiagnostic(args) && instance.forwardToRunning())
        return 0;

    App app(args, Settings::shared());
    if (!DiagnosticModes::isDiagnostic(args))
        instance.listen([&app] { app.openWindow(); });
    SignalQuit::install();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &app,
                     [&app] { app.applicationWillTerminate(); });
    QTimer::singleShot(0, &app, [&app] { app.applicationDidFinishLaunching(); });
    return QApplication::exec();
}
