// From letting go of the key to the text in the field, through the real application: the
// stand-in engine answers at once, so what is left is our own work (the stop, the request, the
// clean-up, the focus query and the paste) plus the loopback round trip. Run it under
// tests/fixtures/with-x11.sh and tests/fixtures/with-pulse.sh. The history is full, as a
// long-time user's is.
#include "core/Paths.h"
#include "history/History.h"
#include "history/Snippet.h"
#include "support/FocusApp.h"
#include "support/RunningVoxmere.h"
#include "xkeys/XKeys.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr double releaseGrace = 0.25;

void fillHistory() {
    QList<Snippet> full;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < History::limit; ++i) {
        Snippet s;
        s.date = now.addSecs(-qint64(i) * 600);
        s.text = s.raw =
            QString("Entry %1: a dictation of about a dozen words, as people say them.").arg(i);
        s.seconds = 4;
        full << s;
    }
    QDir().mkpath(Paths::dataDir());
    QFile file(Paths::dataFile("history.json"));
    if (file.open(QIODevice::WriteOnly))
        file.write(Snippet::encode(full));
}

void BM_ReleaseToTextInField(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        state.SkipWithError("run under tests/fixtures/with-x11.sh and with-pulse.sh");
        return;
    }
    fillHistory();
    RunningVoxmere voxmere;
    FocusApp app;
    if (!app.waitFor(QString("ready %1").arg(app.process.processId())) || !app.focus("field")) {
        state.SkipWithError("the test application did not start");
        return;
    }
    std::vector<double> ms;
    for (auto _ : state) {
        const QString text = QString("dictation number %1").arg(ms.size() + 1);
        voxmere.reply("text " + text.toUtf8() + "\n");
        sendKeys({"+Alt_R"});
        QTest::qWait(600);
        sendKeys({"-Alt_R"});
        QElapsedTimer timer;
        timer.start();
        const QString expected = "text:" + text.left(1).toUpper() + text.mid(1);
        if (!app.waitFor(expected, 5000)) {
            state.SkipWithError("the text never arrived");
            return;
        }
        ms.push_back(double(timer.nsecsElapsed()) / 1e6 - releaseGrace * 1000);
        app.send("clear");
        app.waitFor("cleared");
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
}
BENCHMARK(BM_ReleaseToTextInField)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
