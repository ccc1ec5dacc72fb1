#include "app/SnapshotMode.h"

#include "calls/MeetingLevels.h"
#include "delivery/OverlayModel.h"
#include "delivery/OverlayView.h"
#include "delivery/ResultCard.h"
#include "history/History.h"
#include "meetings/MeetingStore.h"
#include "platform/NullKeyWatcher.h"
#include "settings/Settings.h"
#include "system/HotKey.h"
#include "core/Scheduler.h"
#include "ui/widgets/Appearance.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/CallPillView.h"
#include "ui/calls/CallsPage.h"
#include "ui/floating/CallPromptModel.h"
#include "ui/floating/CallPromptView.h"
#include "ui/window/MainWindow.h"
#include "ui/window/Sidebar.h"
#include "uistate/UIState.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

void addDemoHistory(History& history) {
    struct Demo {
        int daysAgo;
        int minutes;
        const char* text;
        const char* app;
        double seconds;
    };
    // Oldest first: each one added goes in front.
    static const Demo demos[] = {
        {6, 540, "Reminder for the retro: the release checklist lives in the wiki now, not in the shared drive.", "Slack", 6},
        {3, 610, "Thanks, that works for me. Let's keep the GitHub issue open until the fix ships.", "Firefox", 5},
        {3, 620, "Can you send me the PostgreSQL migration plan before Thursday?", "Thunderbird", 4},
        {1, 930, "The Kubernetes cluster upgrade went fine; two pods needed a restart afterwards.", "Terminal", 5.5},
        {1, 1010, "Picked up the groceries, see you at seven.", nullptr, 2.5},
        {0, 15, "Draft reply: happy to move our call to Friday afternoon if that suits everyone.", "Thunderbird", 5},
        {0, 5, "Note to self: the <b>bold</b> tags in this line must show as typed.", "Text Editor", 3},
        {0, 1, "Let's ship the Vercel preview today and ask design for a last look tomorrow morning.", "Slack", 4.5},
    };
    const QDateTime midnight(QDate::currentDate(), QTime(0, 0));
    const QDateTime now = QDateTime::currentDateTime();
    for (const Demo& d : demos) {
        Snippet s;
        QDateTime when = midnight.addDays(-d.daysAgo).addSecs(qint64(d.minutes) * 60);
        // Today's entries count back from now, so none of them lies in the future.
        if (d.daysAgo == 0)
            when = now.addSecs(-qint64(d.minutes) * 60);
        s.date = when.toUTC();
        s.text = s.raw = QString::fromUtf8(d.text);
        s.seconds = d.seconds;
        if (d.app)
            s.app = QString::fromUtf8(d.app);
        history.add(s);
    }
}

MeetingLine demoLine(double t, const SpeakerKey& who, const char* text,
                     const std::optional<SpeakerKey>& speaker = std::nullopt) {
    MeetingLine line;
    line.t = t;
    line.e = t + 4;
    line.who = who;
    line.text = QString::fromUtf8(text);
    line.speaker = speaker;
    return line;
}

// The newest one, with a named and a guessed speaker, is the one the call page shows.
QUuid addDemoMeetings(MeetingStore& store) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const SpeakerKey you = SpeakerKey::you(), them = SpeakerKey::them();
    const SpeakerKey priya = SpeakerKey::numbered(1), tom = SpeakerKey::numbered(2);
    Meeting quiet;
    quiet.title = "Quick check-in";
    quiet.start = now.addDays(-2);
    quiet.end = quiet.start.addSecs(95);
    quiet.app = "Zoom";
    quiet.lines = {demoLine(3, you, "Morning! Just checking the build is green before I go.")};
    store.add(quiet);
    Meeting planning;
    planning.title = "Release planning & <b>demo</b>";
    planning.start = now.addSecs(-3 * 3600);
    planning.end = planning.start.addSecs(1843);
    planning.app = "Google Meet";
    planning.lines = {
        demoLine(2, you, "Thanks for joining. Let's go through what is left for the release."),
        demoLine(9, them, "The installer is done; the packaging test passed this morning.", priya),
        demoLine(17, them, "I still owe the docs for the calls page, probably by Thursday.", tom),
        demoLine(26, you, "Good. Can we ship the preview to the testers on Friday?"),
        demoLine(33, them, "Friday works if nobody finds anything big tomorrow.", priya),
    };
    planning.names = Meeting::Names{{priya, "Priya"}};
    planning.guesses = Meeting::Names{{tom, "Tom"}};
    store.add(planning);
    return planning.id;
}

// The demo call's audio as the calls page would describe it, in the user's language.
QString demoAudioKept(const Meeting&) {
    return QCoreApplication::translate("CallAudio", "Audio kept %n days", nullptr, 30);
}

CallServices demoCallServices(MeetingStore& store, UIState& state) {
    return {store,
            state,
            Scheduler::main(),
            [] { return CallActivity{}; },
            [] { return QStringList{"Priya", "Tom"}; },
            [](const QUuid&) { return QStringList{"/demo/you.m4a", "/demo/them.m4a"}; },
            &demoAudioKept,
            [] { return true; }};
}

// A page that scrolls is drawn whole, so every row can be looked at: the window grows by what
// its list has out of view at the list's width.
int fullHeight(const QWidget& window, QWidget* page) {
    const QList<QScrollArea*> scrolls = page->findChildren<QScrollArea*>();
    const auto shown = std::find_if(scrolls.begin(), scrolls.end(),
                                    [](QScrollArea* s) { return s->isVisible() && s->widget(); });
    if (shown == scrolls.end())
        return MainWindow::smallestHeight;
    const QScrollArea* scroll = *shown;
    const QWidget* list = scroll->widget();
    const int width = scroll->viewport()->width();
    const int needed =
        list->hasHeightForWidth() ? list->heightForWidth(width) : list->sizeHint().height();
    const int hidden = needed - scroll->viewport()->height();
    return std::max(MainWindow::smallestHeight, window.height() + std::max(hidden, 0) + 4);
}

bool save(const QImage& image, const QDir& folder, const QString& name) {
    return image.save(folder.filePath(name + ".png"), "PNG");
}

bool drawPages(MainWindow& window, UIState& state, const QDir& folder, const QString& look) {
    bool ok = true;
    for (Tab tab : Tabs::allCases()) {
        state.setTab(tab);
        // A page fills itself when it is first seen; its rows show from the event loop.
        QApplication::processEvents();
        window.resize(MainWindow::smallestWidth, fullHeight(window, window.page(tab)));
        QApplication::processEvents();
        ok = save(window.grab().toImage(), folder, Tabs::rawValue(tab).toLower() + "-" + look) &&
             ok;
    }
    window.resize(MainWindow::smallestWidth, MainWindow::smallestHeight);
    return ok;
}

bool drawCall(MainWindow& window, UIState& state, const QUuid& call, const QDir& folder,
              const QString& look) {
    state.setTab(Tab::meetings);
    state.setMeetingID(call);
    window.resize(MainWindow::smallestWidth, MainWindow::smallestHeight);
    QApplication::processEvents();
    const bool ok = save(window.grab().toImage(), folder, "call-" + look);
    state.setMeetingID(std::nullopt);
    return ok;
}

// A floating panel drawn with some of the page's canvas around it, as it would float over it.
QImage onCanvas(const QImage& panel) {
    QImage image(panel.size() + QSize(40, 40), QImage::Format_ARGB32_Premultiplied);
    image.fill(Brand::canvas());
    QPainter p(&image);
    p.drawImage(QPoint(20, 20), panel);
    return image;
}

// The dictation panels float over whatever is behind them, so they are drawn on the canvas.
bool drawPanels(const QDir& folder, const QString& look) {
    OverlayModel model;
    // The view takes the card as its child.
    OverlayView view(model, new ResultCard(model, Scheduler::main(), [](const QString&) {}));
    const QList<std::pair<QString, OverlayModel::Phase>> phases = {
        {"overlay-recording", OverlayModel::Phase::recording()},
        {"overlay-transcribing", OverlayModel::Phase::transcribing()},
        {"overlay-result",
         OverlayModel::Phase::result("Let's ship the Vercel preview today and ask design for a "
                                     "last look tomorrow morning.")}};
    for (int i = 0; i < OverlayModel::levelCount; ++i)
        model.push(0.1 + 0.8 * std::abs(std::sin(i * 0.7)));
    bool ok = true;
    for (const auto& [name, phase] : phases) {
        model.setPhase(phase);
        view.resize(view.sizeHint());
        view.show();
        QApplication::processEvents();
        ok = save(onCanvas(view.grab().toImage()), folder, name + "-" + look) && ok;
    }
    return ok;
}

// The call prompt's offer and its confirmation, on the canvas like the dictation panels.
bool drawCallPrompt(const QDir& folder, const QString& look) {
    CallPromptModel model;
    model.setApp(QStringLiteral("Zoom"));
    CallPromptView view(model);
    bool ok = true;
    for (const bool started : {false, true}) {
        model.setStarted(started);
        view.resize(view.sizeHint());
        view.show();
        QApplication::processEvents();
        ok = save(onCanvas(view.grab().toImage()), folder,
                  QString(started ? "prompt-recording-" : "prompt-offer-") + look) &&
             ok;
    }
    return ok;
}

// A call twelve minutes in, its newest line still being written.
Meeting demoLiveCall() {
    Meeting call;
    call.title = "Zoom call";
    call.app = "Zoom";
    call.start = QDateTime::currentDateTimeUtc().addSecs(-754);
    const SpeakerKey you = SpeakerKey::you(), them = SpeakerKey::them();
    call.lines = {
        demoLine(700, you, "Shall we start with the launch date?"),
        demoLine(706, them, "Yes. Marketing wants the <b>14th</b>, engineering says the 21st."),
        demoLine(713, you, "Then let's ask what would move if we picked the 14th."),
        demoLine(720, them, "Mostly the installer tests, and the translations"),
    };
    call.lines.back().draft = true;
    return call;
}

// The call strip as it shows during and after a call, on the canvas like the other panels. The
// strip itself stays off the screen; its views are drawn on their own here.
bool drawCallStrip(Settings& settings, UIState& state, const QDir& folder, const QString& look) {
    QTemporaryDir scratch;
    MeetingStore store(scratch.filePath("meetings"));
    store.setReadOnly(true);
    const Meeting call = demoLiveCall();
    store.add(call);
    MeetingLevels levels;
    levels.setYou(0.04f);
    levels.setThem(0.012f);
    CallActivity activity;
    activity.isRecording = true;
    activity.meetingID = call.id;
    levels.setYouTalking(true);
    UIState pageState;
    pageState.setMeetingID(call.id);
    CallsPage page(CallServices{store, pageState, Scheduler::main(), [&] { return activity; }, {},
                                {}, {}, {}, &levels});
    page.resize(MainWindow::smallestWidth - Sidebar::width - 1, MainWindow::smallestHeight);
    page.show();
    QApplication::processEvents();
    bool ok = save(page.grab().toImage(), folder, "call-live-" + look);
    levels.setYouTalking(false);
    CallPill pill({settings, store, levels, state, Scheduler::main(), [&] { return activity; }});
    pill.keepOffScreen();
    pill.setMini(false);
    pill.setTall(false);
    pill.update();
    CallPillView view(pill);
    const auto draw = [&](const QString& name) {
        view.refresh();
        view.resize(view.sizeHint());
        view.show();
        QApplication::processEvents();
        return save(onCanvas(view.grab().toImage()), folder, name + "-" + look);
    };
    ok = draw("strip") && ok;
    pill.setTall(true);
    levels.setYouTalking(true);
    ok = draw("strip-tall") && ok;
    pill.setTall(false);
    pill.setMini(true);
    ok = draw("strip-mini") && ok;
    pill.setMini(false);
    activity.isRecording = false;
    activity.finishing = true;
    activity.engineTrouble = true;
    pill.update();
    ok = draw("strip-finishing") && ok;
    activity.finishing = false;
    pill.update();
    ok = draw("strip-saved") && ok;
    return ok;
}

} // namespace

namespace SnapshotMode {

int run(const QStringList& args) {
    const QDir folder(args.at(args.indexOf("--snapshot") + 1));
    if (!QDir().mkpath(folder.path()))
        return 1;
    // Scratch settings: the pictures' appearance and vocabulary never reach the user's.
    QTemporaryDir scratch;
    Settings settings(
        std::make_unique<QSettings>(scratch.filePath("settings.ini"), QSettings::IniFormat));
    UIState state;
    state.setEngineReady(true);
    History history(scratch.filePath("history.json"));
    history.waitForLoad();
    history.setReadOnly(true);
    addDemoHistory(history);
    MeetingStore meetings(scratch.filePath("meetings"));
    meetings.setReadOnly(true);
    const QUuid call = addDemoMeetings(meetings);
    NullKeyWatcher keys;
    HotKey hotKey(settings, keys);
    MainWindow window({settings, history, state, Scheduler::main(), hotKey, keys,
                       [] { return std::vector<MicDevice>{{1, "demo-usb", "USB Microphone"}}; },
                       [] { return false; }, [] { return 0; }, "~/.local/share/Voxmere",
                       true, false,
                       [&] { return new CallsPage(demoCallServices(meetings, state)); }});
    window.show();
    bool ok = true;
    for (const auto& [theme, look] : {std::pair{Theme::light, QStringLiteral("light")},
                                      std::pair{Theme::dark, QStringLiteral("dark")}}) {
        settings.setAppearance(theme);
        Appearance::apply(theme);
        ok = drawPages(window, state, folder, look) && ok;
        ok = drawCall(window, state, call, folder, look) && ok;
        ok = drawPanels(folder, look) && ok;
        ok = drawCallPrompt(folder, look) && ok;
        ok = drawCallStrip(settings, state, folder, look) && ok;
    }
    return ok ? 0 : 1;
}

} // namespace SnapshotMode
