#include "app/App.h"

#include "app/DictateTest.h"
#include "app/DictationController.h"
#include "app/Quit.h"
#include "app/Tray.h"

#include "core/Clock.h"
#include "app/Constants.h"
#include "core/DebugLog.h"
#include "core/Paths.h"
#include "core/Scheduler.h"
#include "audio/Mic.h"
#include "audio/PulseMicCapture.h"
#include "calls/CallDetector.h"
#include "calls/CallRecovery.h"
#include "calls/MeetingLevels.h"
#include "calls/MeetingRecorder.h"
#include "calls/Retranscriber.h"
#include "calls/SpeakerFinder.h"
#include "calls/SystemAudioTap.h"
#include "calls/VoiceLearning.h"
#include "core/Dispatch.h"
#include "delivery/Focus.h"
#include "delivery/Paste.h"
#include "delivery/X11EscapeWatch.h"
#include "history/History.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "meetings/Speakers.h"
#include "meetings/VoicePrint.h"
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
#include "ui/widgets/Appearance.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/CallPrompt.h"
#include "ui/calls/CallsPage.h"
#include "ui/calls/LiveCallServices.h"
#include "ui/window/MainWindow.h"
#include "uistate/UIState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QThread>

App::App(QStringList arguments) : args(std::move(arguments)) {
    createStores();
    createAudio();
    createDelivery();
    createEngine();
    createCalls();
    createDictation();
    publish();
}

App::~App() {
    window.reset();
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
    speakers = std::make_unique<Speakers>(
        Speakers::defaultDir(QCoreApplication::applicationDirPath()));
    voicePrint = std::make_unique<VoicePrint>(
        speakers->library(), speakers->embeddingModel(),
        VoicePrint::childCheck(QCoreApplication::applicationFilePath()));
    people = std::make_unique<People>(Paths::dataFile("people.json"), *settings,
                                      meetingStore->meetings());
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
    if (X11Display::general().isOpen())
        windows = std::make_unique<X11Windows>(X11Display::general());
    else
        windows = std::make_unique<NullWindows>();
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
    Speakers::setShared(speakers.get());
    VoicePrint::setShared(voicePrint.get());
    People::setShared(people.get());
    Mic::setShared(mic.get());
    KeyWatcher::setShared(keyWatcher.get());
    HotKey::setShared(hotKey.get());
    ModelDownload::setShared(modelDownload.get());
    SpeakerFinder::setShared(finder.get());
    MeetingRecorder::setShared(recorder.get());
    Retranscriber::setShared(retranscriber.get());
    CallDetector::setShared(detector.get());
}

void App::unpublish() {
    CallDetector::setShared(nullptr);
    Retranscriber::setShared(nullptr);
    MeetingRecorder::setShared(nullptr);
    SpeakerFinder::setShared(nullptr);
    ModelDownload::setShared(nullptr);
    HotKey::setShared(nullptr);
    KeyWatcher::setShared(nullptr);
    Mic::setShared(nullptr);
    People::setShared(nullptr);
    VoicePrint::setShared(nullptr);
    Speakers::setShared(nullptr);
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
    CallRecovery::start({*meetingStore, *callAudio, *settings, Scheduler::main(),
                         [this](const QUuid& id, std::function<void(bool)> then) {
                             retranscriber->retranscribe(id, std::move(then));
                         }});
    supervisor->startPingTimer(2.0);
    connectHotKeys();
    Polish::prewarm();
    mic->onLevel = [this](double x) { overlay->model.push(std::max(x * x * 1.4, 0.04)); };
    mic->applyMode(settings->micMode());
    connectSettingsEffects();
    Appearance::apply(settings->appearance());
    if (settings->firstRun() || settings->launchAtLogin())
        LoginItem::set(settings->launchAtLogin());
    // Without a tray the window is the only way in, so it opens even when asked not to.
    if (!args.contains("--background") || !QSystemTrayIcon::isSystemTrayAvailable())
        openWindow();
    // Every change of the recorder's state, the engine trouble and the computer audio included.
    connect(recorder.get(), &MeetingRecorder::stateChanged, callPill.get(), &CallPill::update);
    recorder->onStateChange = [this] {
        buildMenu();
        // Redrawn for the call's state, but never over a dictation that is recording.
        if (!dictation->isRecording())
            setIcon(IconState::idle);
    };
    detector->start();
}

void App::dictateTest(const QStringList& arguments) {
    DictateTest::startIfAsked(arguments, *dictation, *mic, Scheduler::main());
}

void App::applicationWillTerminate() {
    supervisor->terminateServer();
    history->flush();
    meetingStore->flush();
    people->flush();
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
    connect(settings.get(), &Settings::changed, this, [this](SettingKey key) {
        if (key == SettingKey::language)
            language.set(settings->language());
    });
    EngineClient::Options requests{c.port, [this] { return language.get(); },
                                   [this] { restartStuckServer(); }};
    client =
        std::make_unique<EngineClient>(requests, *transport, dictationGate(), Scheduler::global());
    modelDownload = std::make_unique<ModelDownload>(
        ModelDownload::Options{ModelDownload::sourceFromEnvironment(), c.modelPath}, *uiState,
        *settings);
}

void App::createCalls() {
    createSpeakerWork();
    MeetingRecorder::Services services{
        Scheduler::main(),
        Clock::system(),
        *settings,
        *meetingStore,
        *callAudio,
        *mic,
        *meetingLevels,
        transcriber(),
        [](AudioTap::OnSamples onSamples) -> std::unique_ptr<AudioTap> {
            return std::make_unique<SystemAudioTap>(PulseContext::shared(), std::move(onSamples));
        },
        [] { return SystemAudioTap::defaultOutputUID(PulseContext::shared()); },
        [this](const QUuid& id, std::function<void()> then) {
            finder->findSpeakers(id, std::nullopt, std::move(then));
        }};
    recorder = std::make_unique<MeetingRecorder>(std::move(services));
    retranscriber = std::make_unique<Retranscriber>(Retranscriber::Services{
        *settings, *meetingStore, *callAudio, *finder,
        transcriber(),
        [this] { return recorder->isRecording() || recorder->finishing(); },
        [](const QString& message, const QString& text) {
            QMessageBox box(QMessageBox::Warning, "Voxmere", message);
            box.setInformativeText(text);
            box.setWindowModality(Qt::ApplicationModal);
            box.exec();
        }});
    finder->otherWork = [this] { return retranscriber->rerunID().has_value(); };
    detector = std::make_unique<CallDetector>(CallDetector::Services{
        Scheduler::main(), *settings, *recorder,
        [](std::function<void(QList<CallDetector::MicUser>)> done) {
            onGlobal([done = std::move(done)] { done(CallDetector::currentMicUsers()); });
        },
        [this](qint64 pid) { return windowTitles(pid); }});
    callPrompt = std::make_unique<CallPrompt>(CallPrompt::Services{*settings, Scheduler::main()});
    detector->onOffer = [this](const QString& name, std::function<void()> record) {
        callPrompt->show(name, std::move(record));
    };
    callPill = std::make_unique<CallPill>(CallPill::Services{
        *settings, *meetingStore, *meetingLevels, *uiState, Scheduler::main(),
        &LiveCallServices::activity, [this] { recorder->stop(); }, [this] { openWindow(); }});
}

QStringList App::windowTitles(qint64 pid) const {
    QStringList titles;
    for (const WindowInfo& w : windows->all())
        if (w.pid == pid)
            titles << w.title;
    return titles;
}

LiveTranscript::Transcribe App::transcriber() {
    return [this](const QByteArray& wav, const QString& prompt, int attempt, bool background,
                  LiveTranscript::Done done) {
        transcribe(wav, prompt, attempt, background, std::move(done));
    };
}

void App::createSpeakerWork() {
    const auto printOf = [this](Speakers::Samples samples) { return voicePrint->of(samples); };
    finder = std::make_unique<SpeakerFinder>(SpeakerFinder::Services{
        *settings, *meetingStore, *callAudio, *speakers, *people, printOf,
        transcriber()});
    voiceLearning = std::make_unique<VoiceLearning>(VoiceLearning::Services{
        *meetingStore, *callAudio, *speakers, *settings, *people, printOf});
}

void App::createDictation() {
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
        overlay->show(OverlayModel::Phase::message(
            tr("Shortcut %1 is taken — pick another").arg(settings->hotkeyDisplay())));
        overlay->hide(4);
    }
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
    if (!window)
        createWindow();
    window->showNormal();
    window->raise();
    window->activateWindow();
}

void App::openSettingsTab() {
    uiState->setTab(Tab::settings);
    openWindow();
}

void App::createWindow() {
    const QString home = QDir::homePath();
    QString folder = Paths::dataDir();
    if (folder.startsWith(home + "/"))
        folder = "~" + folder.mid(home.size());
    window = std::make_unique<MainWindow>(MainWindow::Services{
        *settings, *history, *uiState, Scheduler::main(), *hotKey, *keyWatcher,
        [this] { startServer(); }, &DesktopSettings::open, &Quit::now, &Mic::inputDevices,
        &Polish::available, [this] { return voicesLearned(); }, [this] { people->forgetVoices(); },
        folder, QSystemTrayIcon::isSystemTrayAvailable(), true,
        [this] {
            auto* page = new CallsPage(LiveCallServices::make(*uiState, Scheduler::main()));
            LiveCallServices::follow(page);
            return page;
        }});
}

int App::voicesLearned() const {
    int n = 0;
    for (const People::Person& p : people->all())
        n += p.voice.has_value();
    return n;
}

void App::showInTaskbarChanged() {
    if (!window)
        return;
    window->applyTaskbar();
    if (settings->showInDock())
        openWindow();
}

void App::createStatusItem() {
    tray = std::make_unique<Tray>(
        *settings, *history,
        Tray::Actions{[this] { openWindow(); }, [this](const QVariant& data) { copyRecent(data); },
                      [this] { resetOverlay(); }, [this] { restartServer(); }, &Quit::now,
                      [this] { toggleMeeting(); }, [this] { return recorder->isRecording(); }});
}

void App::toggleMeeting() {
    if (recorder->isRecording()) {
        recorder->stop();
        return;
    }
    recorder->start();
    uiState->setMeetingID(recorder->meetingID());
    uiState->setTab(Tab::meetings);
    openWindow();
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
    connect(settings.get(), &Settings::changed, this, &App::applySetting);
}

void App::applySetting(SettingKey key) {
    if (settings->movesAGlobalKey(key)) {
        hotKey->registerKeys();
        buildMenu();
        return;
    }
    switch (key) {
    case SettingKey::micDevice:
        mic->setDevice(settings->micDevice());
        break;
    case SettingKey::micMode:
        mic->applyMode(settings->micMode());
        break;
    case SettingKey::launchAtLogin:
        LoginItem::set(settings->launchAtLogin());
        break;
    case SettingKey::showInDock:
        showInTaskbarChanged();
        break;
    case SettingKey::showCallPill:
        callPill->update();
        break;
    case SettingKey::appearance:
        Appearance::apply(settings->appearance());
        break;
    default:
        break;
    }
}
