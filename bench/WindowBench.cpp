// Opening the main window and switching between its pages with a full history (5000 entries) and
// 500 recorded calls, and opening calls from the Calls page.
#include "meetings/MeetingStore.h"
#include "support/MeetingSamples.h"
#include "support/WindowFixture.h"
#include "ui/calls/CallsPage.h"
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
    MainWindow::Services services() {
        return {settings, history, state, scheduler, hotKey, keys, {}, {}, {}, {}, {}, {}, {},
                "~/.local/share/Voxmere", true, false, [this] {
                    return new CallsPage(CallServices{store, state, scheduler, {}, {}, {}, {}, {},
                                                      {}, {}, {}, {}, {}});
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
