#include "app/App.h"

#include "app/Clock.h"
#include "app/Constants.h"
#include "app/DebugLog.h"
#include "app/Paths.h"
#include "app/Scheduler.h"
#include "audio/Mic.h"
#include "delivery/Overlay.h"
#include "engine/DictationGate.h"
#include "engine/EngineClient.h"
#include "engine/EngineSupervisor.h"
#include "engine/HttpEngineTransport.h"
#include "platform/X11Trust.h"
#include "settings/Settings.h"
#include "system/LoginItem.h"
#include "text/Polish.h"
#include "ui/Appearance.h"
#include "ui/Brand.h"
#include "ui/UIState.h"

#include <QApplication>
#include <QThread>

App::App(QStringList arguments, Settings& settings)
    : args(std::move(arguments)), s(settings), overlay(std::make_unique<Overlay>()) {
    createEngine();
}

App::~App() = default;

void App::applicationDidFinishLaunching() {
    createStatusItem();
    buildMenu();
    startServer();
    supervisor->startPingTimer(2.0);
    Polish::prewarm();
    Mic::shared().onLevel = [this](double x) { overlay->model.push(std::max(x * x * 1.4, 0.04)); };
    Mic::shared().applyMode();
    connectSettingsEffects();
    s.applyAppearance();
    if (s.launchAtLogin())
        LoginItem::set(true);
    if (!args.contains("--background"))
        openWindow();
}

void App::applicationWillTerminate() {
    supervisor->terminateServer();
}

void App::createEngine() {
    const Constants& c = Constants::current();
    transport = std::make_unique<HttpEngineTransport>();
    EngineSupervisor::Options supervision{c.port,
                                          c.modelPath,
                                          c.serverBin,
                                          Paths::dataFile("server.log"),
                                          QThread::idealThreadCount(),
                                          &X11Trust::isTrusted};
    supervisor = std::make_unique<EngineSupervisor>(supervision, *transport, UIState::shared(),
                                                    Clock::system());
    language.set(s.language());
    connect(&s, &Settings::changed, this, [this](const QString& key) {
        if (key == "language")
            language.set(s.language());
    });
    EngineClient::Options requests{c.port, [this] { return language.get(); },
                                   [this] { restartStuckServer(); }};
    client =
        std::make_unique<EngineClient>(requests, *transport, dictationGate(), Scheduler::global());
}

void App::transcribe(const QByteArray& wav, const QString& prompt, int attempt, bool background,
                     std::function<void(std::optional<QString>)> done) {
    client->transcribe(wav, prompt, attempt, background, std::move(done));
}

void App::startServer() {
    supervisor->startServer();
}

void App::restartStuckServer() {
    supervisor->restartStuckServer();
}

void App::restartServer() {
    supervisor->restartServer();
}

void App::resetOverlay() {
    overlay->resetOverlay();
}

DictationGate& App::dictationGate() {
    static DictationGate gate;
    return gate;
}

void App::openWindow() {
    if (statusItem && statusItem->isVisible())
        statusItem->showMessage("Voxmere", "Voxmere is running in the tray.");
}

void App::createStatusItem() {
    statusItem = std::make_unique<QSystemTrayIcon>(Brand::trayIcon());
    statusItem->setToolTip("Voxmere");
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        debugLog("no system tray; Voxmere runs without its tray item");
    statusItem->show();
}

void App::buildMenu() {
    menu = std::make_unique<QMenu>();
    menu->addAction("Reset overlay position", this, &App::resetOverlay);
    menu->addAction("Restart engine", this, &App::restartServer);
    menu->addSeparator();
    menu->addAction("Quit Voxmere", qApp, &QCoreApplication::quit);
    statusItem->setContextMenu(menu.get());
}

void App::connectSettingsEffects() {
    s.onMicDeviceChange = [] { Mic::shared().deviceChanged(); };
    s.onMicModeChange = [] { Mic::shared().applyMode(); };
    s.appearanceApplier = [](const QString& appearance) { Appearance::apply(appearance); };
}
