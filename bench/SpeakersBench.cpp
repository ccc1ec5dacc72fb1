// Speaker work after a call. Reported, not asserted: a voiceprint of 60 s of speech through the
// real sherpa-onnx library with the generated test model, and finding the speakers of a
// one-hour call with the stand-in diarization program (its real cost is the program's).
#include "calls/SpeakerFinder.h"
#include "core/Paths.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "meetings/VoicePrint.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {
// Alternating low and high voices, 5 s each, with a short pause between.
std::vector<int16_t> voices(double seconds) {
    std::vector<int16_t> out(size_t(seconds * 16000));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / 16000;
        const double hz = int(t / 5) % 2 ? 220 : 100;
        const bool pause = std::fmod(t, 5) > 4.5;
        out[i] = pause ? 0 : int16_t(6000 * std::sin(2 * M_PI * hz * t) + 2000 * std::sin(6 * M_PI * hz * t));
    }
    return out;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void VoicePrintOf60s(benchmark::State& state) {
    QTemporaryDir dir;
    const QString model = dir.filePath("embedding.onnx");
    QProcess::execute("/usr/bin/python3", {MAKE_EMBEDDING_MODEL, model});
    VoicePrint prints(QString(SHERPA_ONNX_LIB) + "/libsherpa-onnx-c-api.so", model, {});
    const auto audio = voices(60);
    for (auto _ : state)
        benchmark::DoNotOptimize(prints.of(audio));
}
BENCHMARK(VoicePrintOf60s)->Unit(benchmark::kMillisecond)->Iterations(3);

void FindSpeakersOneHourCall(benchmark::State& state) {
    QTemporaryDir dir;
    Settings settings(std::make_unique<QSettings>(dir.filePath("s.ini"), QSettings::IniFormat));
    CallAudio audio(dir.filePath("audio"));
    MeetingStore store(dir.filePath("meetings"), Clock::system(), &audio);
    People people(dir.filePath("people.json"), settings, {});
    QDir().mkpath(dir.filePath("speakers/bin"));
    QDir().mkpath(dir.filePath("audio"));
    Speakers speakers(dir.filePath("speakers"));
    QFile::copy(SPEAKERS_STANDIN, speakers.tool());
    write(dir.filePath("speakers/segmentation.onnx"), "x");
    write(dir.filePath("speakers/embedding.onnx"), "x");
    Meeting m;
    for (int i = 0; i < 720; ++i) {
        MeetingLine l;
        l.who = SpeakerKey::them();
        l.t = i * 5;
        l.e = l.t + 4.5;
        l.text = "a line of the call";
        m.lines.append(l);
    }
    store.add(m);
    write(audio.url(m.id, SpeakerKey::them(), "wav"), Wav::bytes(voices(3600)));
    SpeakerFinder finder({settings, store, audio, speakers, people,
                          [](Speakers::Samples) { return std::optional<Speakers::Print>(); },
                          [](const QByteArray&, const QString&, int, bool,
                             std::function<void(std::optional<QString>)> done) {
                              done(QString("Some words."));
                          }});
    for (auto _ : state) {
        bool done = false;
        finder.findSpeakers(m.id, std::nullopt, [&] { done = true; });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}
BENCHMARK(FindSpeakersOneHourCall)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
