// Opening the main window and switching between its pages with a full history (5000 entries) and
// 500 recorded calls, opening calls from the Calls page, and a line landing in a long live call.
#include "calls/MeetingLevels.h"
#include "meetings/MeetingStore.h"
#include "support/MeetingSamples.h"
#include "support/WindowFixture.h"
#include "ui/calls/CallsPage.h"
#include "ui/floating/CallPill.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int callCount = 500;
constexpr int linesPerCall = 60;

struct FullData : WindowFixture {
    QTemporaryDir calls;
    MeetingStore store{calls.path()};
    QList<QUuid> ids;

    FullData() {
        history.setReadOnly(true);
        store.setReadOnly(true);
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < History::limit; ++i)
            add(QString("Entry %1: a dictation of about a dozen words, as people say them.").arg(i),
                now.addSecs(-qint64(History::limit - i) * 600));
        for (int i = 0; i < callCount; ++i) {
            Meeting m = MeetingSamples::meeting();
            m.start = now.toUTC().addSecs(-qint64(callCount - i) * 86400);
            m.end = m.start.addSecs(1800);
            for (int j = 0; j < linesPerCall; ++j)
                m.lines << MeetingSamples::line(j % 2 ? "Them" : "You", j * 30.0,
                                                "A line of the call as people say it, with a "
                                                "dozen words or so.",
                                                j * 30.0 + 25);
            store.add(m);
            ids << m.id;
        }
    }
    MainWindow::Services services(std::function<CallActivity()> activity = {}) {
        return {settings, history, state, scheduler, hotKey, keys, {}, {}, {},
                "~/.local/share/Voxmere", true, false, [this, activity] {
                    return new CallsPage(
                        CallServices{store, state, scheduler, activity, {}, {}, {}, {}});
                }};
    }
};

FullData& data() {
    static FullData full;
    return full;
}

void BM_OpenWindow(benchmark::State& s) {
    for (auto _ : s) {
        MainWindow window(data().services());
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

// One iteration visits every page once and draws it.
void BM_SwitchEveryPage(benchmark::State& s) {
    MainWindow window(data().services());
    window.show();
    QApplication::processEvents();
    for (auto _ : s)
        for (Tab tab : Tabs::allCases()) {
            data().state.setTab(tab);
            window.repaint();
        }
    s.counters["perSwitchMs"] = benchmark::Counter(
        double(Tabs::allCases().size()), benchmark::Counter::kIsIterationInvariantRate |
                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_SwitchEveryPage)->Unit(benchmark::kMillisecond);

// One iteration opens a call of 60 lines from the list of 500 and draws it (`back` false), or
// goes back from it to the list (`back` true).
void BM_OpenCallAndBack(benchmark::State& s) {
    const bool measureBack = s.range(0);
    MainWindow window(data().services());
    window.show();
    data().state.setTab(Tab::meetings);
    QApplication::processEvents();
    int next = 0;
    for (auto _ : s) {
        if (measureBack)
            s.PauseTiming();
        data().state.setMeetingID(data().ids[next++ % callCount]);
        window.repaint();
        if (measureBack)
            s.ResumeTiming();
        else
            s.PauseTiming();
        data().state.setMeetingID(std::nullopt);
        window.repaint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!measureBack)
            s.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCallAndBack)->ArgName("back")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a dictation landing in a full history costs the open window on the way to the paste: the
// window's share of the time from the key's release to the text in the field.
void BM_DictationLandsWhileTheWindowIsOpen(benchmark::State& s) {
    MainWindow window(data().services());
    window.show();
    data().state.setTab(Tab(s.range(0)));
    QApplication::processEvents();
    int n = 0;
    for (auto _ : s) {
        data().add(QString("Dictation %1 landing while the window is open.").arg(++n));
        QCoreApplication::sendPostedEvents();
    }
}
BENCHMARK(BM_DictationLandsWhileTheWindowIsOpen)
    ->ArgName("tab")
    ->Arg(int(Tab::home))
    ->Arg(int(Tab::history))
    ->Unit(benchmark::kMillisecond);

// A two-hour call being recorded: 1,500 lines, the two sides taking turns of about five seconds.
Meeting twoHourCall() {
    static const QStringList said = {
        "So the release moves to the fourteenth if marketing agrees.",
        "Engineering still says the twenty-first is the earliest safe date.",
        "Could we ship the installer first and the new reports a week later?",
        "That works for support, they need the notes by Thursday.",
    };
    constexpr int lines = 1500;
    constexpr double turn = 4.8;
    Meeting m = MeetingSamples::meeting();
    m.start = QDateTime::currentDateTimeUtc().addSecs(-7200);
    m.end.reset();
    for (int i = 0; i < lines; ++i)
        m.lines << MeetingSamples::line(i % 2 ? "Them" : "You", i * turn, said[i % said.size()],
                                        i * turn + turn - 0.8);
    return m;
}

// The GUI thread's whole share of one line landing in a two-hour call that is open in the calls
// page, with the 500 calls listed behind it and the call strip showing (enlarged to its live
// transcript when `tall`): from the store's change to the window drawn again. Each line is taken
// out again untimed, so every one lands in a call of 1,500 lines.
void BM_LiveLineLandsInALongCall(benchmark::State& s) {
    FullData& d = data();
    const Meeting call = twoHourCall();
    d.store.add(call);
    const auto activity = [id = call.id] {
        CallActivity a;
        a.isRecording = true;
        a.meetingID = id;
        return a;
    };
    MainWindow window(d.services(activity));
    window.show();
    d.state.setTab(Tab::meetings);
    d.state.setMeetingID(std::nullopt);
    QApplication::processEvents();
    d.state.setMeetingID(call.id);
    MeetingLevels levels;
    CallPill pill(CallPill::Services{d.settings, d.store, levels, d.state, d.scheduler, activity,
                                     {}, {}});
    pill.setTall(s.range(0));
    pill.update();
    QApplication::processEvents();
    const double after = call.lines.last().last() + 7;
    int n = 0;
    const auto settle = [] {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    for (auto _ : s) {
        const MeetingLine landing = MeetingSamples::line(
            "Them", after, QString("Line %1: and the budget review waits for the board.").arg(++n),
            after + 4);
        d.store.addLine(call.id, landing);
        settle();
        s.PauseTiming();
        d.store.setText(call.id, landing.id, QString());
        settle();
        s.ResumeTiming();
    }
    d.state.setMeetingID(std::nullopt);
    d.store.remove(call.id);
    settle();
}
BENCHMARK(BM_LiveLineLandsInALongCall)
    ->ArgName("tall")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
