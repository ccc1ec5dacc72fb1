#pragma once

#include "app/IconState.h"
#include "core/Guarded.h"
#include "engine/DictationGate.h"

#include <QObject>
#include <QStringList>
#include <qwindowdefs.h>

#include <functional>
#include <memory>
#include <optional>

class AtspiFocus;
struct CallActivity;
class DictationController;
class CallAudio;
class CallDetector;
class CallPill;
class CallPrompt;
class CallsPage;
class EngineClient;
class EngineSupervisor;
class EscapeWatch;
class Focus;
class History;
class HotKey;
class HttpEngineTransport;
class KeyWatcher;
class MainWindow;
class MeetingLevels;
class MeetingRecorder;
class MeetingStore;
class ModelDownload;
class Mic;
class Overlay;
class Paste;
class People;
class PolishEngine;
class PulseContext;
class Retranscriber;
class Tray;
class Settings;
enum class SettingKey;
class SpeakerFinder;
class Speakers;
class VoiceLearning;
class VoicePrint;
class UIState;
class Windows;
class X11Display;
class X11Keyboard;

// The application delegate. It builds the application's objects in one place, in the order
// they are declared below (each may use those above it), hands each one what it uses, runs the
// launch sequence that wires them together, owns the tray item, and on quit stops the engine
// and tears everything down in reverse. Nothing below it reaches another object on its own.
class App : public QObject {
    Q_OBJECT
  public:
    explicit App(QStringList arguments);
    ~App() override;

    // The launch sequence; runs once, on the main thread, once the event loop is about to start.
    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    // Shows the main window, made on first use, in front (a second launch asks for this).
    void openWindow();
    void openSettingsTab();

    // The one way to get text from the engine; `done` runs once, off the main thread.
    void transcribe(const QByteArray& wav, const QString& prompt, int attempt, bool background,
                    std::function<void(std::optional<QString>)> done);
    void startServer();
    void restartStuckServer();
    void restartServer();
    // Forgets where the overlay was dragged and shows it where it starts, briefly.
    void resetOverlay();

    // Dictation, as the hotkeys, the self-test and the menu reach it.
    void keyDown();
    void keyUp();
    void handsFreeDown();
    void cancelIfHolding(int slot);
    void startRecording();
    void stopAndTranscribe();
    void copyRecent(const QVariant& data);
    // "--dictate-test wav out", once the launch sequence has run.
    void dictateTest(const QStringList& arguments);
    // From any thread; the tray follows on the GUI thread.
    void setIcon(IconState state);
    void buildMenu();
    // The tray's call item: stops the call being recorded, or starts one and shows it.
    void toggleMeeting();

    // What the command-line modes on the user's data act on.
    MeetingStore& meetings() { return *meetingStore; }
    MeetingRecorder& callRecorder() { return *recorder; }
    SpeakerFinder& speakerFinder() { return *finder; }
    Retranscriber& retranscription() { return *retranscriber; }

  private:
    void createPlatform();
    void createStores();
    void createAudio();
    void createDelivery();
    // Puts a panel of ours on every workspace, for the floating panels.
    std::function<void(WId)> everyWorkspace() const;
    // Whether keys can be typed into other applications: without that nothing is pasted, so
    // nothing is asked of the focus either.
    std::function<bool()> keysCanBeTyped() const;
    void createEngine();
    void createCalls();
    void createSpeakerWork();
    // What the recorder and the after-call tools are doing now.
    CallActivity callActivity() const;
    // The calls page over the recorder, the after-call tools, the people and the call audio.
    CallsPage* createCallsPage();
    // Titles of the top-level windows of the process `pid`, for naming calls in browsers.
    QStringList windowTitles(qint64 pid) const;
    // The engine's transcribe for the call work.
    std::function<void(const QByteArray&, const QString&, int, bool,
                       std::function<void(std::optional<QString>)>)>
    transcriber();
    void createDictation();
    void createStatusItem();
    void connectSettingsEffects();
    // What a setting does beyond the settings themselves, once it is stored.
    void applySetting(SettingKey key);
    void createWindow();
    void showInTaskbarChanged();
    void connectHotKeys();
    int voicesLearned() const;

    QStringList args;
    // Process-wide by nature: the one connection to the sound server, the X connection for short
    // queries and typed keys, and the accessibility bus's focus listener, which must have seen a
    // focus change before anyone asks.
    std::unique_ptr<PulseContext> pulse;
    std::unique_ptr<X11Display> display;
    std::unique_ptr<X11Keyboard> keyboard;
    std::unique_ptr<AtspiFocus> accessibility;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<UIState> uiState;
    std::unique_ptr<MeetingLevels> meetingLevels;
    std::unique_ptr<PolishEngine> polish;
    std::unique_ptr<History> history;
    std::unique_ptr<CallAudio> callAudio;
    std::unique_ptr<MeetingStore> meetingStore;
    std::unique_ptr<Speakers> speakers;
    std::unique_ptr<VoicePrint> voicePrint;
    std::unique_ptr<People> people;
    std::unique_ptr<Mic> mic;
    std::unique_ptr<KeyWatcher> keyWatcher;
    std::unique_ptr<Focus> focus;
    std::unique_ptr<Paste> paste;
    std::unique_ptr<EscapeWatch> escape;
    std::unique_ptr<Overlay> overlay;
    std::unique_ptr<HotKey> hotKey;
    std::unique_ptr<Windows> windows;
    // Requests are built on pool threads, so they read the language from this copy, which
    // follows the setting, rather than from the settings store itself.
    Guarded<QString> language;
    // Dictations at the engine; call transcription waits while there are any.
    DictationGate gate;
    std::unique_ptr<HttpEngineTransport> transport;
    std::unique_ptr<EngineSupervisor> supervisor;
    std::unique_ptr<EngineClient> client;
    std::unique_ptr<ModelDownload> modelDownload;
    std::unique_ptr<SpeakerFinder> finder;
    std::unique_ptr<VoiceLearning> voiceLearning;
    std::unique_ptr<MeetingRecorder> recorder;
    std::unique_ptr<Retranscriber> retranscriber;
    std::unique_ptr<CallDetector> detector;
    std::unique_ptr<CallPrompt> callPrompt;
    std::unique_ptr<CallPill> callPill;
    std::unique_ptr<DictationController> dictation;
    std::unique_ptr<Tray> tray;
    // Last: its pages use everything above.
    std::unique_ptr<MainWindow> window;
};
