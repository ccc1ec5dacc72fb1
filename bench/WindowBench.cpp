// Opening the main window and switching between its pages with a full history (5000 entries).
#include "support/WindowFixture.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct FullHistory : WindowFixture {
    FullHistory() {
        history.setReadOnly(true);
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < History::limit; ++i)
            add(QString("Entry %1: a dictation of about a dozen words, as people say them.").arg(i),
                now.addSecs(-qint64(History::limit - i) * 600));
    }
    MainWindow::Services services() {
        return {settings, history, state, scheduler, hotKey, keys, {}, {}, {}, {}, {}, {}, {},
                "~/.local/share/Voxmere", true, false};
    }
};

void BM_OpenWindow(benchmark::State& s) {
    FullHistory data;
    for (auto _ : s) {
        MainWindow window(data.services());
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

// One iteration visits every page once and draws it.
void BM_SwitchEveryPage(benchmark::State& s) {
    FullHistory data;
    MainWindow window(data.services());
    window.show();
    QApplication::processEvents();
    for (auto _ : s)
        for (Tab tab : Tabs::allCases()) {
            data.state.setTab(tab);
            window.repaint();
        }
    s.counters["perSwitchMs"] = benchmark::Counter(
        double(Tabs::allCases().size()), benchmark::Counter::kIsIterationInvariantRate |
                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_SwitchEveryPage)->Unit(benchmark::kMillisecond);

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
