#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

class Settings;

// The application delegate: runs the launch sequence that wires the subsystems together, owns the
// tray item, and stops the engine and flushes pending saves when Voxmere quits.
class App : public QObject {
    Q_OBJECT
public:
    App(QStringList arguments, Settings& settings);
    ~App() override;

    // The launch sequence; runs once, on the main thread, once the event loop is about to start.
    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    // Brings Voxmere forward (a second launch asks for this).
    void openWindow();

private:
    void createStatusItem();
    void buildMenu();
    void connectSettingsEffects();

    QStringList args;
    Settings& s;
    std::unique_ptr<QSystemTrayIcon> statusItem;
    std::unique_ptr<QMenu> menu;
    QTimer pingTimer;
};
