// The meeting store and call audio on disk. Targets: loading 500 meetings of 200 lines under
// 300 ms; during a live call's save burst (50 line changes a second for a minute) the main
// thread never waits on the disk (longest change under 2 ms) and few files are written;
// packing an hour of audio at 200 times real time or faster.
#include "core/JsonUuid.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/CallAudioWriter.h"
#include "meetings/MeetingStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

MeetingLine line(int i) {
    MeetingLine l;
    l.t = i * 3.0;
    l.e = l.t + 2.5;
    l.who = i % 2 ? SpeakerKey::them() : SpeakerKey::you();
    l.text = QString("line %1 of the call, where somebody says a sentence of ordinary length").arg(i);
    return l;
}

Meeting meeting(int lines) {
    Meeting m;
    m.start = QDateTime::currentDateTimeUtc();
    m.end = m.start.addSecs(3600);
    m.title = "Zoom call";
    m.file = JsonUuid::text(m.id) + ".md";
    for (int i = 0; i < lines; ++i)
        m.lines.append(line(i));
    return m;
}

void BM_LoadFiveHundredMeetings(benchmark::State& state) {
    QTemporaryDir dir;
    for (int i = 0; i < 500; ++i) {
        const Meeting m = meeting(200);
        QFile f(dir.filePath(JsonUuid::text(m.id) + ".json"));
        f.open(QIODevice::WriteOnly);
        f.write(m.encode());
    }
    for (auto _ : state) {
        MeetingStore store(dir.path());
        benchmark::DoNotOptimize(store.meetings().size());
    }
}
BENCHMARK(BM_LoadFiveHundredMeetings)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveBurstDuringACall(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir dir;
        MeetingStore store(dir.path());
        store.add(meeting(200));
        const QUuid id = store.meetings()[0].id;
        const QUuid last = store.meetings()[0].lines.last().id;
        double longest = 0;
        for (int i = 0; i < 50 * 60; ++i) {
            QElapsedTimer t;
            t.start();
            store.appendToLine(id, last, "more", 600 + i * 0.02, SpeakerKey::them());
            longest = std::max(longest, double(t.nsecsElapsed()) / 1e6);
            QThread::msleep(20);
        }
        store.flush();
        state.counters["longest_change_ms"] = longest;
        state.counters["files_written"] = double(store.filesWritten());
    }
}
BENCHMARK(BM_SaveBurstDuringACall)->Unit(benchmark::kSecond)->Iterations(1);

void BM_PackOneHour(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        CallAudio audio(dir.path());
        const QUuid id = QUuid::createUuid();
        {
            auto writer = CallAudioWriter::create(audio.url(id, SpeakerKey::you(), "wav"),
                                                  QDateTime::currentDateTimeUtc());
            CallAudio::Samples minute(size_t(60 * Wav::sampleRate));
            for (size_t i = 0; i < minute.size(); ++i)
                minute[i] = int16_t(8000 * std::sin(double(i) * 0.05) * std::sin(double(i) * 1e-4));
            for (int m = 0; m < 60; ++m)
                writer->write(minute);
        }
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        audio.pack(id);
        audio.flush();
        const double seconds = double(t.elapsed()) / 1000;
        state.counters["pack_seconds"] = seconds;
        state.counters["times_real_time"] = 3600 / seconds;
        state.counters["m4a_made"] = double(audio.files(id).size());
    }
}
BENCHMARK(BM_PackOneHour)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
