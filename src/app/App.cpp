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
#include "platform/AtspiFocus.h"
#include "platform/X11Windows.h"
#include "settings/Settings.h"
#include "system/LoginItem.h"
#include "text/Polish.h"
#include "ui/widgets/Appearance.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/CallPrompt.h"
#include "ui/calls/CallsPage.h"
#include "ui/widgets/FileReveal.h"
#include "ui/window/MainWindow.h"
#include "uistate/UIState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QThread>
#include <QThreadPool>

App::App(QStringList arguments) : args(std::move(arguments)) {
    createPlatform();
    createStores();
    createAudio();
    createDelivery();
    createEngine();
    createCalls();
    createDictation();
}

App::~App() {
    // Engine replies, polishing, the start sound and the call detector's listing run on the
    // shared pool with the objects below; they end before those objects do.
    QThreadPool::globalInstance()->waitForDone();
    window.reset();
}

void App::createPlatform() {
    pulse = std::make_unique<PulseContext>(QCoreApplication::applicationName());
    display = std::make_unique<X11Display>();
    keyboard = std::make_unique<X11Keyboard>(*display);
    accessibility = std::make_unique<AtspiFocus>(Clock::system());
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
                                std::make_unique<PulseMicCapture>(*pulse),
                                settings->micMode(), settings->micDevice());
}

void App::createDelivery() {
    keyWatcher = std::make_unique<X11KeyWatcher>();
    focus = std::make_unique<Focus>(*display, *keyboard, *accessibility);
    paste = std::make_unique<Paste>(*keyWatcher, *keyboard, *display);
    escape = std::make_unique<X11EscapeWatch>(*keyWatcher);
    overlay = std::make_unique<Overlay>(
        Overlay::Services{*settings, Scheduler::main(), *escape, &Paste::copyToClipboard,
                          everyWorkspace()});
    connect(overlay.get(), &Overlay::settingsRequested, this, &DesktopSettings::open);
    hotKey = std::make_unique<HotKey>(*settings, *keyWatcher);
    if (display->isOpen())
        windows = std::make_unique<X11Windows>(*display);
    else
        windows = std::make_unique<NullWindows>();
}

std::function<void(WId)> App::everyWorkspace() const {
    return [display = display.get()](WId window) {
        X11Windows::showOnEveryWorkspace(*display, window);
    };
}

std::function<bool()> App::keysCanBeTyped() const {
    return [keyboard = keyboard.get()] { return keyboard->isAvailable(); };
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
    Polish::prewarm(*polish);
    connect(mic.get(), &Mic::levelMeasured, overlay.get(),
            [this](double x) { overlay->model.push(std::max(x * x * 1.4, 0.04)); });
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
    connect(recorder.get(), &MeetingRecorder::stateChanged, this, [this] {
        buildMenu();
        // Redrawn for the call's state, but never over a dictation that is recording.
        if (!dictation->isRecording())
            setIcon(IconState::idle);
    });
    detector->start();
}

void App::dictateTest(const QStringList& arguments) {
    DictateTest::startIfAsked(arguments, *dictation, *mic, *hotKey, Scheduler::main());
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
                                          keysCanBeTyped()};
    supervisor = std::make_unique<EngineSupervisor>(supervision, *transport, *uiState,
                                                    Clock::system());
    language.set(settings->language());
    connect(settings.get(), &Settings::changed, this, [this](SettingKey key) {
        if (key == SettingKey::language)
            language.set(settings->language());
    });
    EngineClient::Options requests{c.port, [this] { return language.get(); },
                                   [this] { restartStuckServer(); }};
    client = std::make_unique<EngineClient>(requests, *transport, gate, Scheduler::global());
    modelDownload = std::make_unique<ModelDownload>(
        ModelDownload::Options{ModelDownload::sourceFromEnvironment(), c.modelPath}, *uiState,
        *settings);
    // Fetched once, then the engine starts.
    connect(modelDownload.get(), &ModelDownload::modelReady, supervisor.get(),
            &EngineSupervisor::startServer);
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
        [pulse = pulse.get()](AudioTap::OnSamples onSamples) -> std::unique_ptr<AudioTap> {
            return std::make_unique<SystemAudioTap>(*pulse, std::move(onSamples));
        },
        [pulse = pulse.get()] { return SystemAudioTap::defaultOutputUID(*pulse); },
        [this](const QUuid& id, std::function<void()> then) {
            finder->findSpeakers(id, std::nullopt, std::move(then));
        }};
    recorder = std::make_unique<MeetingRecorder>(std::move(services));
    retranscriber = std::make_unique<Retranscriber>(Retranscriber::Services{
        *settings, *meetingStore, *callAudio, *finder, transcriber(),
        [this] { return recorder->isRecording() || recorder->finishing(); }});
    connect(retranscriber.get(), &Retranscriber::failed, this,
            [](const QString& message, const QString& text) {
                QMessageBox box(QMessageBox::Warning, "Voxmere", message);
                box.setInformativeText(text);
                box.setWindowModality(Qt::ApplicationModal);
                box.exec();
            });
    finder->otherWork = [this] { return retranscriber->rerunID().has_value(); };
    detector = std::make_unique<CallDetector>(CallDetector::Services{
        Scheduler::main(), *settings, *recorder,
        [pulse = pulse.get()](std::function<void(QList<CallDetector::MicUser>)> done) {
            onGlobal([pulse, done = std::move(done)] {
                done(CallDetector::currentMicUsers(*pulse));
            });
        },
        [this](qint64 pid) { return windowTitles(pid); }});
    callPrompt = std::make_unique<CallPrompt>(
        CallPrompt::Services{*settings, Scheduler::main(), everyWorkspace()});
    connect(detector.get(), &CallDetector::offered, callPrompt.get(),
            [this](const QString& call, const QString& app) {
                callPrompt->show(call, [this, call, app] { recorder->start(call, app); });
            });
    callPill = std::make_unique<CallPill>(CallPill::Services{
        *settings, *meetingStore, *meetingLevels, *uiState, Scheduler::main(),
        [this] { return callActivity(); }, &OverlayPlacement::desktopScreens, everyWorkspace()});
    connect(callPill.get(), &CallPill::stopRequested, recorder.get(), &MeetingRecorder::stop);
    connect(callPill.get(), &CallPill::windowRequested, this, &App::openWindow);
}

CallActivity App::callActivity() const {
    const MeetingRecorder& r = *recorder;
    return {r.isRecording(),
            r.finishing(),
            r.engineTrouble(),
            r.systemAudioOK(),
            r.meetingID(),
            retranscriber->rerunID(),
            retranscriber->rerunProgress(),
            finder->speakersID(),
            finder->splittingID()};
}

CallsPage* App::createCallsPage() {
    auto* page = new CallsPage(CallServices{
        *meetingStore,
        *uiState,
        Scheduler::main(),
        [this] { return callActivity(); },
        [people = people.get()] { return people->names(); },
        [audio = callAudio.get()](const QUuid& id) { return audio->files(id); },
        [audio = callAudio.get(), settings = settings.get()](const Meeting& m) {
            return audio->audioKeptText(m, settings->callAudioDays());
        },
        [speakers = speakers.get()] { return speakers->available(); },
        meetingLevels.get()});
    // The page follows the recorder and the tools as they change.
    connect(recorder.get(), &MeetingRecorder::stateChanged, page, &CallsPage::refresh);
    connect(retranscriber.get(), &Retranscriber::stateChanged, page, &CallsPage::refresh);
    connect(finder.get(), &SpeakerFinder::stateChanged, page, &CallsPage::refresh);
    connect(page, &CallsPage::recordRequested, recorder.get(), [this] { recorder->start(); });
    connect(page, &CallsPage::stopRequested, recorder.get(), &MeetingRecorder::stop);
    connect(page, &CallsPage::findSpeakersRequested, finder.get(),
            [this](const QUuid& id, std::optional<int> count) {
                finder->findSpeakers(id, count, [] {});
            });
    connect(page, &CallsPage::retranscribeRequested, retranscriber.get(),
            [this](const QUuid& id) { retranscriber->retranscribe(id); });
    connect(page, &CallsPage::revealRequested, page, &FileReveal::show);
    return page;
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
        gate,
        *overlay,
        *history,
        *windows,
        Clock::system(),
        Scheduler::main(),
        Scheduler::global(),
        keysCanBeTyped(),
        [focus = focus.get()] { return focus->focusedFieldState(); },
        [focus = focus.get()] { focus->prewarmAccessibility(); },
        [paste = paste.get()](const QString& text) { paste->paste(text); },
        &Paste::copyToClipboard,
        [engine = polish.get()] { return Polish::available(*engine); },
        [engine = polish.get()](const QString& text, const QStringList& vocab) {
            return Polish::run(*engine, text, vocab);
        },
        [pulse = pulse.get()] { Tick::play(*pulse); }};
    dictation = std::make_unique<DictationController>(std::move(services));
    connect(dictation.get(), &DictationController::iconChanged, this, &App::setIcon);
}

void App::connectHotKeys() {
    connect(hotKey.get(), &HotKey::keyPressed, this,
            [this](int slot) { slot == 0 ? keyDown() : handsFreeDown(); });
    connect(hotKey.get(), &HotKey::keyReleased, this, [this](int slot) {
        if (slot == 0)
            keyUp();
        else
            dictation->handsFreeUp();
    });
    connect(hotKey.get(), &HotKey::pressCancelled, this, &App::cancelIfHolding);
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
    if (!QFile::exists(model)) {
        modelDownload->start();
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
        [pulse = pulse.get()] { return PulseMicCapture::inputDevices(*pulse); },
        [engine = polish.get()] { return Polish::available(*engine); },
        [this] { return voicesLearned(); }, folder, QSystemTrayIcon::isSystemTrayAvailable(), true,
        [this] { return createCallsPage(); },
        [display = display.get()](WId window, bool skip) {
            X11Windows::setSkipTaskbar(*display, window, skip);
        }});
    connect(window.get(), &MainWindow::engineRetryRequested, this, &App::startServer);
    connect(window.get(), &MainWindow::desktopSettingsRequested, this, &DesktopSettings::open);
    connect(window.get(), &MainWindow::quitRequested, this, &Quit::now);
    connect(window.get(), &MainWindow::forgetVoicesRequested, people.get(), &People::forgetVoices);
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
    tray = std::make_unique<Tray>(*settings, *history, [this] { return recorder->isRecording(); });
    connect(tray.get(), &Tray::windowRequested, this, &App::openWindow);
    connect(tray.get(), &Tray::recentChosen, this, &App::copyRecent);
    connect(tray.get(), &Tray::overlayResetRequested, this, &App::resetOverlay);
    connect(tray.get(), &Tray::engineRestartRequested, this, &App::restartServer);
    connect(tray.get(), &Tray::quitRequested, this, &Quit::now);
    connect(tray.get(), &Tray::meetingToggleRequested, this, &App::toggleMeeting);
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
