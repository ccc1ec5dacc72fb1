#include "app/DictateTest.h"

#include "app/DictationController.h"
#include "meetings/AudioFile.h"
#include "audio/Mic.h"
#include "core/DebugLog.h"
#include "core/Scheduler.h"

#include <memory>

namespace {

double delay() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("VOXMERE_DICTATE_AFTER").toDouble(&ok);
    return ok ? seconds : DictateTest::defaultDelay;
}

struct Feed {
    std::vector<int16_t> samples;
    size_t offset = 0;
};

void feedNext(const std::shared_ptr<Feed>& feed, DictationController& dictation, Mic& mic,
              Scheduler& main) {
    const size_t remaining = feed->samples.size() - feed->offset;
    if (remaining < 1) {
        main.after(DictateTest::stopDelay, [&dictation] { dictation.stopAndTranscribe(); });
        return;
    }
    const size_t count = std::min<size_t>(remaining, DictateTest::samplesPerTick);
    const auto from = feed->samples.begin() + qsizetype(feed->offset);
    mic.injectForTest(std::vector<int16_t>(from, from + qsizetype(count)));
    feed->offset += count;
    main.after(DictateTest::tick,
               [feed, &dictation, &mic, &main] { feedNext(feed, dictation, mic, main); });
}

} // namespace

namespace DictateTest {

void startIfAsked(const QStringList& args, DictationController& dictation, Mic& mic,
                  Scheduler& main) {
    const qsizetype at = args.indexOf("--dictate-test");
    if (at < 0 || at + 2 >= args.size())
        return;
    auto feed = std::make_shared<Feed>();
    if (auto samples = AudioFile::read(args[at + 1]))
        feed->samples = std::move(*samples);
    else {
        debugLog("dictation test: cannot read " + args[at + 1]);
        return;
    }
    dictation.setDictationTestOut(args[at + 2]);
    mic.setTestFeed(true);
    main.after(delay(), [feed, &dictation, &mic, &main] {
        debugLog("dictation test start");
        dictation.startRecording();
        main.after(tick, [feed, &dictation, &mic, &main] { feedNext(feed, dictation, mic, main); });
    });
}

} // namespace DictateTest
