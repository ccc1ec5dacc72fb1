#pragma once

#include "app/Guarded.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

class DictationGate;
class EngineClient;
class EngineSupervisor;
class HttpEngineTransport;
class Overlay;
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

    // The one way to get text from the engine; `done` runs once, off the main thread.
    void transcribe(const QByteArray& wav, const QString& prompt, int attempt, bool background,
                    std::function<void(std::optional<QString>)> done);
    void startServer();
    void restartStuckServer();
    void restartServer();
    // Forgets where the overlay was dragged and shows it where it starts, briefly.
    void resetOverlay();
    // Dictations at the engine; call transcription waits while there are any.
    static DictationGate& dictationGate();

  private:
    void createStatusItem();
    void buildMenu();
    void connectSettingsEffects();
    void createEngine();

    QStringList args;
    Settings& s;
    std::unique_ptr<QSystemTrayIcon> statusItem;
    std::unique_ptr<QMenu> menu;
    // Requests are built on pool threads, so they read the language from this copy, which
    // follows the setting, rather than from the settings store itself.
    Guarded<QString> language;
    std::unique_ptr<Overlay> overlay;
    std::unique_ptr<HttpEngineTransport> transport;
    std::unique_ptr<EngineSupervisor> supervisor;
    std::unique_ptr<EngineClient> client;
};
