#include "calls/Retranscriber.h"

#include "calls/Segmenter.h"
#include "calls/SpeakerFinder.h"
#include "calls/VoiceLevel.h"
#include "core/DebugLog.h"
#include "core/JsonUuid.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "settings/Settings.h"
#include "text/Cleanup.h"
#include "text/Vocabulary.h"

#include <QHash>
#include <QMetaObject>
#include <QSet>

#include <algorithm>

namespace {
constexpr qsizetype block = Wav::sampleRate;
constexpr double contextSeconds = 20;
constexpr qsizetype contextWords = 25;
constexpr int failuresInARow = 3;

struct FirstPiece {
    double start;
    qint64 count;
};

QList<Retranscriber::Turn> cutSide(const SpeakerKey& who, const std::vector<int16_t>& samples) {
    const bool you = who.isYou();
    Segmenter segmenter(you ? 0.006f : 0.002f);
    segmenter.base = 0;
    VoiceLevel level;
    QSet<QUuid> voiced;
    QHash<QUuid, FirstPiece> first;
    QList<Retranscriber::Turn> turns;
    segmenter.onPiece = [&](const Segmenter::Samples& piece, double start, const QUuid& turn) {
        if (you) {
            if (!level.accept(piece))
                return;
            voiced.insert(turn);
        }
        if (!first.contains(turn))
            first.insert(turn, {start, qint64(piece.size())});
    };
    segmenter.onTurnEnd = [&](const QUuid& turn, double start, int,
                              const Segmenter::Samples& all) {
        if (you && !voiced.remove(turn))
            return;
        qint64 count = qint64(all.size());
        if (count == 0)
            count = first.value(turn, {0, 0}).count;
        first.remove(turn);
        if (count < 1)
            return;
        turns.append({who, start, std::max<qint64>(0, qint64(start * Wav::sampleRate + 0.5)), count});
    };
    for (size_t at = 0; at < samples.size(); at += block)
        segmenter.feed(std::span(samples).subspan(at, std::min<size_t>(block, samples.size() - at)));
    segmenter.flush();
    return turns;
}

QString contextFor(const Meeting& m, const Retranscriber::Turn& turn) {
    for (auto it = m.lines.rbegin(); it != m.lines.rend(); ++it)
        if (it->who == turn.who && it->last() > turn.start - contextSeconds) {
            const QStringList words = it->text.split(' ', Qt::SkipEmptyParts);
            return words.mid(std::max<qsizetype>(0, words.size() - contextWords)).join(' ');
        }
    return {};
}

} // namespace

Retranscriber::Retranscriber(Services services, QObject* parent)
    : QObject(parent), s(std::move(services)), engine(s.transcribe) {}

Retranscriber::~Retranscriber() {
    // A request waiting on the engine at quit would otherwise keep the worker from stopping.
    engine.stop();
}

void Retranscriber::retranscribe(const QUuid& id, std::function<void(bool)> then) {
    const Meeting* m = s.store.find(id);
    if (running || s.finder.busy() || (s.recording && s.recording()) || !m)
        return;
    running = id;
    progress = 0;
    emit stateChanged();
    q.async([this, id, copy = *m, vocab = s.settings.vocab(), then = std::move(then)]() mutable {
        work(id, copy, vocab, std::move(then));
    });
}

QList<Retranscriber::Turn>
Retranscriber::cut(const QList<std::pair<SpeakerKey, std::vector<int16_t>>>& sides) {
    QList<Turn> turns;
    for (const auto& [who, samples] : sides)
        turns.append(cutSide(who, samples));
    std::stable_sort(turns.begin(), turns.end(),
                     [](const Turn& a, const Turn& b) { return a.start < b.start; });
    return turns;
}

Retranscriber::Result Retranscriber::rebuild(const Meeting& copy, const QList<Turn>& turns,
                                             const QHash<SpeakerKey, std::vector<int16_t>>& audio,
                                             const QList<VocabEntry>& vocab, const Ask& ask,
                                             const std::function<void(double)>& onProgress) {
    Result r{copy, false, int(turns.size())};
    r.meeting.lines.clear();
    int inARow = 0;
    for (qsizetype k = 0; k < turns.size(); ++k) {
        const Turn& turn = turns[k];
        const QString context = contextFor(r.meeting, turn);
        const auto& samples = audio[turn.who];
        const auto total = qint64(samples.size());
        const qint64 from = std::min(total, turn.offset);
        const qint64 to = std::min(total, turn.offset + turn.count);
        const auto text = ask(Wav::bytes(std::span(samples).subspan(size_t(from), size_t(to - from))),
                              Vocabulary::prompt(vocab, context));
        if (!text) {
            r.failures = true;
            if (++inARow == failuresInARow)
                break;
        } else {
            inARow = 0;
        }
        const QString clean = Cleanup::basic(text.value_or(QString()).trimmed(), vocab, false);
        const double seconds = double(turn.count) / Wav::sampleRate;
        if (LiveTranscript::keep(clean, seconds) && !LiveTranscript::repeats(context, clean)) {
            MeetingLine line;
            line.t = turn.start;
            line.who = turn.who;
            line.text = clean;
            line.e = turn.start + seconds;
            MeetingStore::insert(line, r.meeting);
        }
        if (onProgress)
            onProgress(double(k + 1) / double(turns.size()));
    }
    return r;
}

void Retranscriber::work(const QUuid& id, const Meeting& copy, const QList<VocabEntry>& vocab,
                         std::function<void(bool)> then) {
    QList<std::pair<SpeakerKey, std::vector<int16_t>>> sides;
    QHash<SpeakerKey, std::vector<int16_t>> audio;
    for (const SpeakerKey& side : CallAudio::sides())
        if (auto samples = s.audio.load(id, side)) {
            sides.append({side, *samples});
            audio.insert(side, std::move(*samples));
        }
    const QList<Turn> turns = cut(sides);
    sides.clear();
    const Ask ask = [this](const QByteArray& wav, const QString& prompt) {
        return engine.text(wav, prompt);
    };
    const Result r = rebuild(copy, turns, audio, vocab, ask, [this](double share) {
        QMetaObject::invokeMethod(
            this, [this, share] { progress = share; emit stateChanged(); }, Qt::QueuedConnection);
    });
    if (engine.stopped())
        return;
    QMetaObject::invokeMethod(
        this, [this, id, r, then = std::move(then)]() mutable { handOver(id, r, std::move(then)); },
        Qt::QueuedConnection);
}

void Retranscriber::handOver(const QUuid& id, const Result& r, std::function<void(bool)> then) {
    const bool ok = r.turns > 0 && !r.failures;
    if (!ok)
        emit failed(tr("Couldn't transcribe the call again"),
                    (r.turns == 0 ? tr("No speech was found in the saved audio.")
                                  : tr("The speech engine didn't respond for part of the call.")) +
                        ' ' + tr("The transcript was left as it was."));
    if (ok)
        s.store.update(id, [&](Meeting& m) { m.lines = r.meeting.lines; });
    debugLog(QString("rerun %1 turns=%2 lines=%3 ok=%4")
                 .arg(JsonUuid::text(id).left(8))
                 .arg(r.turns)
                 .arg(r.meeting.lines.size())
                 .arg(ok ? "true" : "false"));
    running.reset();
    emit stateChanged();
    auto done = [then = std::move(then), ok] {
        if (then)
            then(ok);
    };
    if (ok && s.settings.findSpeakers())
        s.finder.findSpeakers(id, std::nullopt, done);
    else
        done();
}
