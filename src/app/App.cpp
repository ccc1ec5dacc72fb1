#include "app/App.h"

#include "app/DictateTest.h"
#include "app/DictationController.h"
#include "app/Tray.h"

#include "core/Clock.h"
#include "app/Constants.h"
#include "core/DebugLog.h"
#include "core/Paths.h"
#include "core/Scheduler.h"
#include "audio/Mic.h"
#include "audio/PulseMicCapture.h"
#include "calls/MeetingLevels.h"
#include "delivery/Focus.h"
#include "delivery/Paste.h"
#include "delivery/X11EscapeWatch.h"
#include "history/History.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "platform/DesktopSettings.h"
#include "platform/PulseContext.h"
#include "platform/X11KeyWatcher.h"
#include "platform/X11Keyboard.h"
#include "system/HotKey.h"
#include "system/ModelDownload.h"
#include "text/NoLanguageModel.h"
#include "text/PolishEngine.h"
#include "delivery/Overlay.h"
#include "engine/DictationGate.h"
#include "engine/EngineClient.h"
#include "engine/EngineSupervisor.h"
#include "engine/HttpEngineTransport.h"
#include "audio/Tick.h"
#include "platform/NullWindows.h"
#include "platform/X11Display.h"
#include "platform/X11Trust.h"
#include "platform/X11Windows.h"
#include "settings/Settings.h"
#include "system/LoginItem.h"
#include "text/Polish.h"
#include "ui/Appearance.h"
#include "uistate/UIState.h"

#include <QApplication>
#include <QFile>
#include <QThread>

App::App(QStringList arguments) : args(std::move(arguments)) {
    createStores();
    createAudio();
    createDelivery();
    createEngine();
    createDictation();
    publish();
}

App::~App() {
    unpublish();
}

void App::createStores() {
    settings = std::make_unique<Settings>(
        std::make_unique<QSettings>(QStringLiteral("Voxmere"), QStringLiteral("Voxmere")));
    uiState = std::make_unique<UIState>();
    meetingLevels = std::make_unique<MeetingLevels>();
    polish = std::make_unique<PolishEngine>(std::make_shared<NoLanguageModel>());
    history = std::make_unique<History>(Paths::dataFile("history.json"));
    const QString meetings = Paths::dataFile("meetings");
    callAudio = std::make_unique<CallAudio>(meetings + "/audio");
    meetingStore = std::make_unique<MeetingStore>(meetings, Clock::system(), callAudio.get());
}

void App::createAudio() {
    mic = std::make_unique<Mic>(Scheduler::main(),
                                std::make_unique<PulseMicCapture>(PulseContext::shared()),
                                settings->micMode(), settings->micDevice());
}

void App::createDelivery() {
    keyWatcher = std::make_unique<X11KeyWatcher>();
    paste = std::make_unique<Paste>(*keyWatcher, X11Keyboard::shared());
    escape = std::make_unique<X11EscapeWatch>(*keyWatcher);
    overlay = std::make_unique<Overlay>(Overlay::Services{
        *settings, Scheduler::main(), *escape, &Paste::copyToClipboard, &DesktopSettings::open});
    hotKey = std::make_unique<HotKey>(*settings, *keyWatcher);
}

// Code below the application reaches these through `Type::shared()`.
void App::publish() {
    Settings::setShared(settings.get());
    UIState::setShared(uiState.get());
    MeetingLevels::setShared(meetingLevels.get());
    PolishEngine::setShared(polish.get());
    History::setShared(history.get());
    CallAudio::setShared(callAudio.get());
    MeetingStore::setShared(meetingStore.get());
    Mic::setShared(mic.get());
    KeyWatcher::setShared(keyWatcher.get());
    HotKey::setShared(hotKey.get());
    ModelDownload::setShared(modelDownload.get());
}

void App::unpublish() {
    ModelDownload::setShared(nullptr);
    HotKey::setShared(nullptr);
    KeyWatcher::setShared(nullptr);
    Mic::setShared(nullptr);
    MeetingStore::setShared(nullptr);
    CallAudio::setShared(nullptr);
    History::setShared(nullptr);
    PolishEngine::setShared(nullptr);
    MeetingLevels::setShared(nullptr);
    UIState::setShared(nullptr);
    Settings::setShared(nullptr);
}

void App::applicationDidFinishLaunching() {
    createStatusItem();
    setIcon(IconState::idle);
    buildMenu();
    startServer();
    supervisor->startPingTimer(2.0);
    connectHotKeys();
    Polish::prewarm();
    mic->onLevel = [this](double x) { overlay->model.push(std::max(x * x * 1.4, 0.04)); };
    mic->applyMode(settings->micMode());
    connectSettingsEffects();
    settings->applyAppearance();
    if (settings->firstRun() || settings->launchAtLogin())
        LoginItem::set(settings->launchAtLogin());
    if (!args.contains("--background"))
        openWindow();
}

void App::dictateTest(const QStringList& arguments) {
    DictateTest::startIfAsked(arguments, *dictation, *mic, Scheduler::main());
}

void App::applicationWillTerminate() {
    supervisor->terminateServer();
    history->flush();
    meetingStore->flush();
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
    supervisor = std::make_unique<EngineSupervisor>(supervision, *transport, *uiState,
                                                    Clock::system());
    language.set(settings->language());
    connect(settings.get(), &Settings::changed, this, [this](const QString& key) {
        if (key == "language")
            language.set(settings->language());
    });
    EngineClient::Options requests{c.port, [this] { return language.get(); },
                                   [this] { restartStuckServer(); }};
    client =
        std::make_unique<EngineClient>(requests, *transport, dictationGate(), Scheduler::global());
    modelDownload = std::make_unique<ModelDownload>(
        ModelDownload::Options{ModelDownload::sourceFromEnvironment(), c.modelPath}, *uiState,
        settings->store());
}

void App::createDictation() {
    if (X11Display::general().isOpen())
        windows = std::make_unique<X11Windows>(X11Display::general());
    else
        windows = std::make_unique<NullWindows>();
    DictationServices services{
        *settings,
        *mic,
        [this](const QByteArray& wav, const QString& prompt, DictationServices::Reply done) {
            transcribe(wav, prompt, 0, false, std::move(done));
        },
        dictationGate(),
        *overlay,
        *history,
        *windows,
        Clock::system(),
        Scheduler::main(),
        Scheduler::global(),
        &X11Trust::isTrusted,
        &Focus::focusedFieldState,
        &Focus::prewarmAccessibility,
        [this](const QString& text) { paste->paste(text); },
        &Paste::copyToClipboard,
        &Polish::available,
        &Polish::run,
        [this](IconState state) { setIcon(state); },
        [this] { buildMenu(); },
        &Tick::play};
    dictation = std::make_unique<DictationController>(std::move(services));
}

void App::connectHotKeys() {
    hotKey->onDown = [this](int slot) { slot == 0 ? keyDown() : handsFreeDown(); };
    hotKey->onUp = [this](int slot) {
        if (slot == 0)
            keyUp();
        else
            dictation->handsFreeUp();
    };
    hotKey->onCancel = [this](int slot) { cancelIfHolding(slot); };
    if (!hotKey->registerKeys()) {
        overlay->show(OverlayModel::Phase::message("Shortcut " + settings->hotkeyDisplay() +
                                                   " is taken — pick another"));
        overlay->hide(4);
    }
    settings->onHotkeyChange = [this] {
        hotKey->registerKeys();
        buildMenu();
    };
}

void App::keyDown() {
    dictation->keyDown();
}

void App::keyUp() {
    dictation->keyUp();
}

void App::handsFreeDown() {
    dictation->handsFreeDown();
}

void App::cancelIfHolding(int slot) {
    dictation->cancelIfHolding(slot);
}

void App::startRecording() {
    dictation->startRecording();
}

void App::stopAndTranscribe() {
    dictation->stopAndTranscribe();
}

void App::copyRecent(const QVariant& data) {
    dictation->finisher().copyRecent(data);
}

void App::transcribe(const QByteArray& wav, const QString& prompt, int attempt, bool background,
                     std::function<void(std::optional<QString>)> done) {
    client->transcribe(wav, prompt, attempt, background, std::move(done));
}

void App::startServer() {
    const QString model = Constants::current().modelPath;
    // Fetched once, then the engine starts.
    if (!QFile::exists(model)) {
        modelDownload->start([this] { supervisor->startServer(); });
        openWindow();
        return;
    }
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
    if (tray && tray->item().isVisible())
        tray->item().showMessage("Voxmere", "Voxmere is running in the tray.");
}

void App::createStatusItem() {
    tray = std::make_unique<Tray>(
        *settings, *history,
        Tray::Actions{[this] { openWindow(); }, [this](const QVariant& data) { copyRecent(data); },
                      [this] { resetOverlay(); }, [this] { restartServer(); },
                      [] { QCoreApplication::quit(); }});
}

void App::setIcon(IconState state) {
    if (tray)
        tray->setIcon(state);
}

void App::buildMenu() {
    if (tray)
        tray->buildMenu();
}

void App::connectSettingsEffects() {
    settings->onMicDeviceChange = [this] { mic->setDevice(settings->micDevice()); };
    settings->onMicModeChange = [this] { mic->applyMode(settings->micMode()); };
    settings->onLaunchAtLoginChange = &LoginItem::set;
    settings->appearanceApplier = [](const QString& appearance) { Appearance::apply(appearance); };
}
