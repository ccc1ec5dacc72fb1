#include "app/DictateTest.h"

#include "app/DictationController.h"
#include "audio/Mic.h"
#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "meetings/AudioFile.h"
#include "system/HotKey.h"

#include <QSaveFile>

#include <memory>

namespace {

double delay() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("VOXMERE_DICTATE_AFTER").toDouble(&ok);
    return ok ? seconds : DictateTest::defaultDelay;
}

struct Run {
    DictationController& dictation;
    Mic& mic;
    HotKey& keys;
    Scheduler& main;
    std::vector<int16_t> samples;
    size_t offset = 0;
};

void write(const QString& path, const QString& raw, const QString& final) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write((raw + "\n---\n" + final).toUtf8());
        file.commit();
    }
    debugLog(QStringLiteral("dictation test done words=%1")
                 .arg(final.split(' ', Qt::SkipEmptyParts).size()));
}

void stop(Run& run) {
    run.dictation.stopAndTranscribe();
    run.mic.setTestFeed(false);
    run.keys.registerKeys();
}

void feedNext(const std::shared_ptr<Run>& run) {
    const size_t remaining = run->samples.size() - run->offset;
    if (remaining < 1) {
        run->main.after(&run->dictation, DictateTest::stopDelay, [run] { stop(*run); });
        return;
    }
    const size_t count = std::min<size_t>(remaining, DictateTest::samplesPerTick);
    const auto from = run->samples.begin() + qsizetype(run->offset);
    run->mic.injectForTest(std::vector<int16_t>(from, from + qsizetype(count)));
    run->offset += count;
    run->main.after(&run->dictation, DictateTest::tick, [run] { feedNext(run); });
}

} // namespace

namespace DictateTest {

void startIfAsked(const QStringList& args, DictationController& dictation, Mic& mic, HotKey& keys,
                  Scheduler& main) {
    const qsizetype at = args.indexOf("--dictate-test");
    if (at < 0 || at + 2 >= args.size())
        return;
    auto samples = AudioFile::read(args[at + 1]);
    if (!samples) {
        debugLog("dictation test: cannot read " + args[at + 1]);
        return;
    }
    auto run = std::make_shared<Run>(Run{dictation, mic, keys, main, std::move(*samples)});
    dictation.sendNextTo(
        [out = args[at + 2]](const QString& raw, const QString& final) { write(out, raw, final); });
    keys.unregister();
    mic.setTestFeed(true);
    main.after(&dictation, delay(), [run] {
        debugLog("dictation test start");
        run->dictation.startRecording();
        run->main.after(&run->dictation, tick, [run] { feedNext(run); });
    });
}

} // namespace DictateTest
