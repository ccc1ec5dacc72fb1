#include "calls/MeetingRecorder.h"

#include "audio/Mic.h"
#include "calls/EchoGate.h"
#include "calls/MeetingLevels.h"
#include "core/Clock.h"
#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "meetings/CallAudio.h"
#include "meetings/CallAudioWriter.h"
#include "meetings/MeetingStore.h"
#include "settings/Settings.h"

#include <QTimeZone>

namespace {
constexpr double levelsResetDelay = 0.3;

QDateTime dateAt(double seconds) {
    return QDateTime::fromMSecsSinceEpoch(qint64(seconds * 1000), QTimeZone::utc());
}

const char* yesNo(bool on) {
    return on ? "true" : "false";
}
} // namespace

MeetingRecorder::MeetingRecorder(Services services, QObject* parent)
    : QObject(parent), s(std::move(services)),
      transcript(s.store, s.settings, s.main, s.transcribe), jobs(s.jobCapSamples) {
    connect(&transcript, &LiveTranscript::troubleChanged, this, &MeetingRecorder::stateChanged);
}

MeetingRecorder::~MeetingRecorder() {
    if (recording)
        s.mic.setMeetingSink({});
    tapQueue.sync([this] { stopTap(); });
}

void MeetingRecorder::start(const std::optional<QString>& app,
                            const std::optional<QString>& sourceKey) {
    if (recording || finishing_)
        return;
    const double t = s.clock.now();
    const QDateTime now = dateAt(t);
    Meeting m;
    m.start = now;
    m.title = app ? *app + " call" : QStringLiteral("Call");
    m.app = app;
    m.file = now.toLocalTime().toString("yyyy-MM-dd HH.mm.ss") + " " + m.title + ".md";
    s.store.add(m);

    meeting = m.id;
    source = sourceKey;
    transcript.reset();
    ++callGeneration;
    openWriters(m.id, now);
    resetQueue(m.id, t);
    const bool echo = s.settings.echoCancel();
    q.sync([this, echo] { gate = echo ? std::make_unique<EchoGate>(s.clock) : nullptr; });
    s.mic.setMeetingSink([this](std::span<const int16_t> chunk) {
        q.async([this, samples = std::vector<int16_t>(chunk.begin(), chunk.end())]() mutable {
            micIntake(std::move(samples));
        });
    });
    s.mic.setMeeting(true);
    audioOK = true;
    tapQueue.async([this] {
        const bool ok = startTap();
        s.main.after(this, 0, [this, ok] {
            debugLog(QStringLiteral("meeting systemAudio=") + yesNo(ok));
            // Reported as working since the start: only a failure is news.
            if (ok == audioOK)
                return;
            audioOK = ok;
            emit stateChanged();
        });
    });
    scheduleOutputCheck(callGeneration);
    recording = true;
    debugLog(QStringLiteral("meeting start app=") + app.value_or("manual") + " echoGate=" +
             yesNo(echo));
    emit stateChanged();
}

void MeetingRecorder::openWriters(const QUuid& id, const QDateTime& now) {
    QHash<SpeakerKey, std::shared_ptr<CallAudioWriter>> writers;
    for (const SpeakerKey& side : CallAudio::sides())
        if (auto writer = CallAudioWriter::create(s.audio.url(id, side, "wav"), now, s.clock))
            writers.insert(side, std::move(writer));
    q.sync([this, &writers] { audio = writers; });
}

// Synchronous, so no sample of the new call meets the previous call's state.
void MeetingRecorder::resetQueue(const QUuid& id, double start) {
    q.sync([this, id, start] {
        startDate = start;
        jobs.clear();
        busy = false;
        draining = false;
        dropped = false;
        ++jobGeneration;
        queueMeetingID = id;
        peak.clear();
        voice = VoiceLevel();
        keptTurns.clear();
        you = std::make_unique<Segmenter>(0.006f, s.clock);
        them = std::make_unique<Segmenter>(0.002f, s.clock);
        connectSide(*you, SpeakerKey::you());
        connectSide(*them, SpeakerKey::them());
        accepting = true;
    });
}

void MeetingRecorder::connectSide(Segmenter& segmenter, const SpeakerKey& who) {
    segmenter.onPiece = [this, who](const Segmenter::Samples& samples, double start,
                                    const QUuid& turn) { onPiece(who, samples, start, turn); };
    segmenter.onTurnEnd = [this, who](const QUuid& turn, double start, int,
                                      const Segmenter::Samples& samples) {
        onTurnEnd(who, turn, start, samples);
    };
    segmenter.onLevel = [this, who](float level, bool talking) { onLevel(who, level, talking); };
}

void MeetingRecorder::micIntake(std::vector<int16_t> samples) {
    if (!accepting)
        return;
    if (gate)
        samples = gate->filter(samples);
    if (auto writer = audio.value(SpeakerKey::you()))
        writer->write(samples);
    you->feed(samples);
}

void MeetingRecorder::tapIntake(std::vector<int16_t> samples) {
    if (!accepting)
        return;
    if (auto writer = audio.value(SpeakerKey::them()))
        writer->write(samples);
    them->feed(samples);
}

void MeetingRecorder::onLevel(const SpeakerKey& who, float level, bool talking) {
    if ((!peak.contains(who) && level > 0) || level > peak.value(who))
        peak.insert(who, level);
    if (who.isThem() && gate)
        gate->heard(level);
    s.main.after(this, 0, [this, who, level, talking] {
        if (who.isYou()) {
            s.levels.setYou(level);
            if (s.levels.youTalking() != talking)
                s.levels.setYouTalking(talking);
        } else {
            s.levels.setThem(level);
            if (s.levels.themTalking() != talking)
                s.levels.setThemTalking(talking);
        }
    });
}

void MeetingRecorder::onPiece(const SpeakerKey& who, const Segmenter::Samples& samples,
                              double start, const QUuid& turn) {
    if (who.isYou()) {
        if (!voice.accept(samples))
            return;
        keptTurns.insert(turn);
    }
    enqueue({samples, start, who, turn, false});
}

void MeetingRecorder::onTurnEnd(const SpeakerKey& who, const QUuid& turn, double start,
                                const Segmenter::Samples& samples) {
    // A turn whose every piece the voice filter refused was never the user speaking.
    if (who.isYou() && !keptTurns.remove(turn))
        return;
    enqueue({samples, start, who, turn, true});
}

void MeetingRecorder::enqueue(CallJob job) {
    job.t -= startDate;
    for (const CallJob& given : jobs.add(std::move(job))) {
        dropped = true;
        debugLog(QString("meeting job dropped who=%1 t=%2 seconds=%3 final=%4")
                     .arg(given.who.stored())
                     .arg(given.t, 0, 'f', 1)
                     .arg(given.seconds(), 0, 'f', 1)
                     .arg(yesNo(given.final)));
    }
    pump();
}

void MeetingRecorder::pump() {
    if (busy)
        return;
    std::optional<CallJob> job = jobs.take();
    if (!job) {
        if (draining) {
            draining = false;
            s.main.after(this, 0,
                         [this, id = queueMeetingID, lost = dropped] { afterCall(id, lost); });
        }
        return;
    }
    busy = true;
    s.main.after(this, 0,
                 [this, job = std::move(*job), id = queueMeetingID, generation = jobGeneration] {
                     transcript.handle(job, id, [this, generation] {
                         q.async([this, generation] { release(generation); });
                     });
                 });
}

void MeetingRecorder::release(quint64 generation) {
    // A job given up by the drain limit: its late answer must not free the next one twice.
    if (generation != jobGeneration)
        return;
    busy = false;
    pump();
}

void MeetingRecorder::stop() {
    if (!recording)
        return;
    recording = false;
    finishing_ = true;
    const quint64 call = ++callGeneration;
    s.mic.setMeetingSink({});
    s.mic.setMeeting(false);
    tapQueue.async([this] { stopTap(); });
    if (meeting && s.store.find(*meeting)) {
        const QDateTime end = dateAt(s.clock.now());
        s.store.update(*meeting, [&end](Meeting& m) { m.end = end; });
    }
    q.async([this] { flushOnStop(); });
    s.main.after(this, levelsResetDelay, [this] { s.levels.reset(); });
    s.main.after(this, drainLimitSeconds, [this, call] {
        if (finishing_ && call == callGeneration)
            q.async([this] { abandonDrain(); });
    });
    debugLog("meeting stop");
    emit stateChanged();
}

void MeetingRecorder::flushOnStop() {
    accepting = false;
    you->flush();
    them->flush();
    for (const auto& writer : audio)
        writer->close();
    audio.clear();
    debugLog(QString::asprintf("meeting peaks you=%.4f them=%.4f ", peak.value(SpeakerKey::you()),
                               peak.value(SpeakerKey::them())) +
             (gate ? gate->summary() : QStringLiteral("gate=off")) + " " + voice.summary());
    draining = true;
    pump();
}

// The engine is down or far behind: the call's audio is kept, so what is left can be
// transcribed again from it, and a new call need not wait.
void MeetingRecorder::abandonDrain() {
    if (!draining && !busy)
        return;
    const std::vector<CallJob> given = jobs.abandon();
    if (!given.empty() || busy)
        dropped = true;
    debugLog(QString("meeting drain limit: gave up %1 jobs%2")
                 .arg(given.size())
                 .arg(busy ? " and the one at the engine" : ""));
    if (busy) {
        ++jobGeneration;
        busy = false;
    }
    pump();
}

void MeetingRecorder::afterCall(const std::optional<QUuid>& id, bool lost) {
    if (id) {
        s.store.clearDrafts(*id);
        const bool missingWords = lost || transcript.lostWords();
        auto dispose = [this, id = *id, missingWords] { disposeAudio(id, missingWords); };
        if (s.settings.findSpeakers() && s.findSpeakers)
            s.findSpeakers(*id, dispose);
        else
            dispose();
    }
    finishing_ = false;
    emit stateChanged();
}

void MeetingRecorder::disposeAudio(const QUuid& id, bool missingWords) {
    // Words that never reached the transcript can still be recovered from the audio.
    if (s.settings.callAudioDays() != 0 || missingWords)
        s.audio.pack(id);
    else
        s.audio.remove(id);
}

bool MeetingRecorder::startTap() {
    auto started = s.makeTap([this](std::span<const int16_t> chunk) {
        q.async([this, samples = std::vector<int16_t>(chunk.begin(), chunk.end())]() mutable {
            tapIntake(std::move(samples));
        });
    });
    if (!started)
        return false;
    // The tap is stopped before the recorder goes, so this never outlives it.
    started->onFailed = [this] {
        s.main.after(this, 0, [this] {
            if (recording)
                checkOutput();
        });
    };
    if (!started->start())
        return false;
    debugLog("meeting tap on output " + started->outputUID());
    tap = std::move(started);
    return true;
}

void MeetingRecorder::stopTap() {
    if (tap)
        tap->stop();
    tap.reset();
}

void MeetingRecorder::scheduleOutputCheck(quint64 generation) {
    s.main.after(this, outputCheckSeconds, [this, generation] {
        if (generation != callGeneration || !recording)
            return;
        checkOutput();
        scheduleOutputCheck(generation);
    });
}

// A tap that failed to start, died with its device, or follows an output that is no longer the
// default is started again: a headset switch must not lose the far side for the rest of the call.
void MeetingRecorder::checkOutput() {
    tapQueue.async([this] {
        if (tap && !tap->failed()) {
            const std::optional<QString> current = s.defaultOutputUID();
            if (!current || *current == tap->outputUID())
                return;
        }
        stopTap();
        const bool ok = startTap();
        s.main.after(this, 0, [this, ok] {
            if (ok == audioOK)
                return;
            audioOK = ok;
            emit stateChanged();
        });
    });
}

void MeetingRecorder::sync() {
    q.sync([] {});
    tapQueue.sync([] {});
    q.sync([] {});
}

size_t MeetingRecorder::peakQueuedSamples() {
    size_t result = 0;
    q.sync([this, &result] { result = jobs.peakSamples(); });
    return result;
}
