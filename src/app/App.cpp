#include "app/App.h"

#include "app/DebugLog.h"
#include "settings/Settings.h"
#include "system/LoginItem.h"
#include "ui/Appearance.h"
#include "ui/Brand.h"

#include <QApplication>

App::App(QStringList arguments, Settings& settings) : args(std::move(arguments)), s(settings) {}

App::~App() = default;

void App::applicationDidFinishLaunching() {
    createStatusItem();
    buildMenu();
    connectSettingsEffects();
    s.applyAppearance();
    if (s.launchAtLogin())
        LoginItem::set(true);
    if (!args.contains("--background"))
        openWindow();
}

void App::applicationWillTerminate() {}

void App::openWindow() {
    if (statusItem && statusItem->isVisible())
        statusItem->showMessage("Voxmere", "Voxmere is running. Hold Right Alt to dictate.");
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
    menu->addAction("Quit Voxmere", qApp, &QCoreApplication::quit);
    statusItem->setContextMenu(menu.get());
}

void App::connectSettingsEffects() {
    s.appearanceApplier = [](const QString& appearance) { Appearance::apply(appearance); };
}
