#include "calls/SpeakerFinder.h"

#include "core/DebugLog.h"
#include "core/Dispatch.h"
#include "core/JsonUuid.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "meetings/VoicePrint.h"
#include "settings/Settings.h"
#include "text/Cleanup.h"
#include "text/Vocabulary.h"

#include <QSet>

#include <algorithm>
#include <map>

namespace {
constexpr int maxSplits = 60;
constexpr double rate = Wav::sampleRate;

struct Segment {
    double start, end;
    int speaker;
};

int distinctSpeakers(const QList<Speakers::Turn>& turns) {
    QSet<int> seen;
    for (const auto& t : turns)
        seen.insert(t.speaker);
    return int(seen.size());
}

QList<Segment> segments(double a, double b, const QList<Speakers::Turn>& turns) {
    QList<Segment> out;
    for (const auto& t : turns) {
        if (!(a < t.end && t.start < b))
            continue;
        const double from = std::max(a, t.start), to = std::min(b, t.end);
        if (to - from < 0.5)
            continue;
        if (!out.isEmpty() && out.last().speaker == t.speaker)
            out.last().end = to;
        else
            out.append({from, to, t.speaker});
    }
    return out;
}

// The middle of the quietest 50 ms within half a second of a speaker change.
double quietestCut(double c, Speakers::Samples samples) {
    std::optional<double> best;
    double lowest = 0;
    for (int k = -10; k <= 10; ++k) {
        const double p = c + k * 0.05;
        const auto from = size_t(std::max<qint64>(0, qint64(p * rate)));
        if (from >= samples.size())
            continue;
        const size_t to = std::min(samples.size(), from + 800);
        double energy = 0;
        for (size_t i = from; i < to; ++i)
            energy += (samples[i] / 32768.0) * (samples[i] / 32768.0);
        if (!best || energy < lowest) {
            best = p + 0.025;
            lowest = energy;
        }
    }
    return best.value_or(c);
}
} // namespace

struct SpeakerFinder::Analysis {
    QUuid id;
    bool found = false;
    int n = 0;
    QHash<SpeakerKey, Print> prints;
    Assignment assignment;
    std::shared_ptr<const Samples> samples;
    QList<Turn> turns;
};

SpeakerFinder::SpeakerFinder(Services services, QObject* parent)
    : QObject(parent), s(std::move(services)), engine(s.transcribe) {}

SpeakerFinder::~SpeakerFinder() {
    // A split waiting on the engine at quit would otherwise keep the worker from stopping.
    engine.stop();
}

void SpeakerFinder::findSpeakers(const QUuid& id, std::optional<int> count,
                                 std::function<void()> then) {
    const Meeting* m = s.store.find(id);
    const bool hasThem = m && std::any_of(m->lines.begin(), m->lines.end(),
                                          [](const MeetingLine& l) { return l.who.isThem(); });
    if (busy() || (otherWork && otherWork()) || !s.speakers.available() || !hasThem) {
        if (then)
            then();
        return;
    }
    labelling = id;
    emit stateChanged();
    const bool voices = s.settings.recogniseVoices();
    q.async([this, id, count, voices, copy = *m, then = std::move(then)]() mutable {
        auto a = std::make_shared<Analysis>(analyse(id, count, voices, copy));
        onMain(this, [this, a, then = std::move(then)]() mutable { handOver(a, std::move(then)); });
    });
}

SpeakerFinder::Analysis SpeakerFinder::analyse(const QUuid& id, std::optional<int> count,
                                               bool voices, const Meeting& copy) {
    Analysis a;
    a.id = id;
    auto samples = s.audio.load(id, SpeakerKey::them());
    const auto found = samples ? s.speakers.find(*samples, count) : std::nullopt;
    if (!found)
        return a;
    a.found = true;
    a.samples = std::make_shared<const Samples>(std::move(*samples));
    a.turns = count ? *found : Speakers::merge(*found, *a.samples, s.printOf);
    a.n = distinctSpeakers(a.turns);
    for (int i = 1; voices && i <= a.n; ++i) {
        QList<VoicePrint::Range> ranges;
        for (const auto& t : a.turns)
            if (a.n < 2 || t.speaker == i)
                ranges.append({t.start, t.end});
        if (auto print = s.printOf(VoicePrint::audio(*a.samples, ranges, 60)))
            a.prints.insert(a.n > 1 ? SpeakerKey::numbered(i) : SpeakerKey::them(), *print);
    }
    a.assignment = assign(copy.lines, a.turns, a.n);
    return a;
}

SpeakerFinder::Assignment SpeakerFinder::assign(const QList<MeetingLine>& lines,
                                                const QList<Turn>& turns, int n) {
    Assignment out;
    for (const MeetingLine& line : lines) {
        if (!line.who.isThem())
            continue;
        if (n <= 1) {
            out.keys[line.id] = std::nullopt;
            continue;
        }
        const double s = line.t, u = std::max(line.last(), s + 1);
        std::map<int, double> overlap;
        for (const auto& t : turns)
            if (s < t.end && t.start < u)
                overlap[t.speaker] += std::min(t.end, u) - std::max(t.start, s);
        if (!overlap.empty()) {
            std::vector<std::pair<int, double>> order(overlap.begin(), overlap.end());
            std::stable_sort(order.begin(), order.end(),
                             [](const auto& a, const auto& b) { return a.second > b.second; });
            out.keys.insert(line.id, SpeakerKey::numbered(order[0].first));
            if (order.size() >= 2 && order[1].second >= 2.0 && u - s >= 5.0)
                out.mixed.append({line, order[1].second});
            continue;
        }
        const Turn* nearest = nullptr;
        for (const auto& t : turns)
            if (!nearest || std::abs(t.start - s) < std::abs(nearest->start - s))
                nearest = &t;
        if (nearest && std::abs(nearest->start - s) < 3.0)
            out.keys.insert(line.id, SpeakerKey::numbered(nearest->speaker));
    }
    return out;
}

void SpeakerFinder::handOver(const std::shared_ptr<Analysis>& a, std::function<void()> then) {
    QHash<SpeakerKey, QString> guesses;
    if (const Meeting* m = s.store.find(a->id)) {
        // A name the user gave to anyone but a numbered speaker is someone already placed.
        QSet<QString> skip;
        const Meeting::Names names = m->names.value_or(Meeting::Names());
        for (auto it = names.begin(); it != names.end(); ++it)
            if (!it.key().number())
                skip.insert(it.value().toLower());
        guesses = s.people.guess(a->prints, skip);
    }
    // When the program found nothing, the names the user gave still fit the lines' keys.
    if (a->found)
        s.store.update(a->id, [&](Meeting& m) {
            if (m.names) {
                // The speakers are numbered afresh: their old names no longer fit.
                m.names->removeIf([](auto entry) { return entry.key().number().has_value(); });
                if (m.names->isEmpty())
                    m.names.reset();
            }
            m.guesses.reset();
            for (auto it = guesses.begin(); it != guesses.end(); ++it)
                (m.guesses ? *m.guesses : m.guesses.emplace()).insert(it.key(), it.value());
            for (MeetingLine& line : m.lines)
                if (a->assignment.keys.contains(line.id))
                    line.speaker = a->assignment.keys.value(line.id);
        });
    debugLog(QString("speakers %1 found=%2 labelled=%3 mixed=%4 guessed=%5")
                 .arg(JsonUuid::text(a->id).left(8))
                 .arg(a->n)
                 .arg(a->assignment.keys.size())
                 .arg(a->assignment.mixed.size())
                 .arg(guesses.size()));
    labelling.reset();
    if (a->samples && !a->assignment.mixed.isEmpty()) {
        splitting = a->id;
        emit stateChanged();
        runSplits(a, std::move(then));
        return;
    }
    emit stateChanged();
    if (then)
        then();
}

void SpeakerFinder::runSplits(const std::shared_ptr<Analysis>& a, std::function<void()> then) {
    QList<Mixed> mixed = a->assignment.mixed;
    std::stable_sort(mixed.begin(), mixed.end(),
                     [](const Mixed& x, const Mixed& y) { return x.minority > y.minority; });
    const auto total = mixed.size();
    mixed = mixed.mid(0, maxSplits);
    const QList<VocabEntry> vocab = s.settings.vocab();
    q.async([this, a, mixed, total, vocab, then = std::move(then)]() mutable {
        int done = 0;
        const Ask ask = [this](const QByteArray& wav, const QString& prompt) {
            return engine.text(wav, prompt);
        };
        for (const Mixed& m : mixed) {
            if (engine.stopped())
                return;
            const auto pieces = split(m.line, a->turns, *a->samples, vocab, ask);
            if (!pieces || pieces->isEmpty())
                continue;
            ++done;
            onMain(this, [this, id = a->id, line = m.line,
                          key = a->assignment.keys.value(m.line.id),
                          pieces = *pieces] { applySplit(id, line, key, pieces); });
        }
        onMain(this, [this, id = a->id, done, total, then = std::move(then)]() mutable {
            debugLog(QString("speakers %1 split=%2 of %3").arg(JsonUuid::text(id).left(8)).arg(done).arg(total));
            splitting.reset();
            emit stateChanged();
            if (then)
                then();
        });
    });
}

void SpeakerFinder::applySplit(const QUuid& id, const MeetingLine& line,
                               const std::optional<SpeakerKey>& assigned,
                               const QList<MeetingLine>& pieces) {
    const Meeting* m = s.store.find(id);
    if (!m)
        return;
    const auto now = std::find_if(m->lines.begin(), m->lines.end(),
                                  [&](const MeetingLine& l) { return l.id == line.id; });
    // Edited by the user meanwhile: theirs wins.
    if (now == m->lines.end() || now->text != line.text || now->speaker != assigned)
        return;
    s.store.update(id, [&](Meeting& meeting) {
        meeting.lines.removeIf([&](const MeetingLine& l) { return l.id == line.id; });
        for (const MeetingLine& piece : pieces) {
            const auto after = std::find_if(meeting.lines.begin(), meeting.lines.end(),
                                            [&](const MeetingLine& l) { return l.t > piece.t; });
            meeting.lines.insert(after, piece);
        }
    });
}

std::optional<QList<MeetingLine>> SpeakerFinder::split(const MeetingLine& line,
                                                       const QList<Turn>& turns,
                                                       Speakers::Samples samples,
                                                       const QList<VocabEntry>& vocab,
                                                       const Ask& ask) {
    const double a = line.t, b = std::max(line.last(), a + 1);
    QList<Segment> parts = segments(a, b, turns);
    if (parts.size() < 2)
        return std::nullopt;
    parts.first().start = a;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const double cut = quietestCut(parts[i + 1].start, samples);
        parts[i].end = cut;
        parts[i + 1].start = cut;
    }
    parts.last().end = b;
    const QString prompt = Vocabulary::prompt(vocab);
    const auto total = qint64(samples.size());
    QList<MeetingLine> out;
    for (const Segment& part : parts) {
        const qint64 from = std::clamp<qint64>(qint64((part.start - 0.03) * rate), 0, total);
        const qint64 to = std::clamp<qint64>(qint64((part.end + 0.03) * rate), 0, total);
        if (to - from <= 8000)
            continue;
        const auto text = ask(Wav::bytes(samples.subspan(size_t(from), size_t(to - from))), prompt);
        if (!text)
            return std::nullopt;
        const QString clean = Cleanup::basic(text->trimmed(), vocab, false);
        if (!LiveTranscript::keep(clean, part.end - part.start))
            continue;
        MeetingLine piece;
        piece.t = part.start;
        piece.who = SpeakerKey::them();
        piece.text = clean;
        piece.e = part.end;
        piece.speaker = SpeakerKey::numbered(part.speaker);
        out.append(piece);
    }
    return out;
}

QString SpeakerFinder::chooserMessage() {
    return tr("Find the speakers again?");
}

QString SpeakerFinder::chooserText() {
    return tr("If you know how many people were on the other side, pick the number. It's more "
              "accurate than letting Voxmere guess. Speakers are numbered again, and people whose "
              "voices Voxmere has learned get their names back.");
}

QStringList SpeakerFinder::chooserItems() {
    QStringList items{tr("Let Voxmere decide")};
    for (int n = 2; n <= 6; ++n)
        items << tr("%n people", nullptr, n);
    return items;
}

QString SpeakerFinder::chooserFind() {
    return tr("Find speakers");
}

std::optional<int> SpeakerFinder::chooserCount(int item) {
    return item >= 1 && item <= 5 ? std::optional(item + 1) : std::nullopt;
}
