#include "calls/LiveTranscript.h"

#include "core/Scheduler.h"
#include "core/Wav.h"
#include "meetings/MeetingEcho.h"
#include "meetings/MeetingStore.h"
#include "settings/Settings.h"
#include "text/Cleanup.h"
#include "text/Vocabulary.h"

#include <QSet>

#include <algorithm>

namespace {
constexpr double contextWindow = 20;
constexpr qsizetype contextWords = 25;

// What the engine says for a short burst of noise.
const QSet<QString> shortNoisePhrases = {
    "thank you.", "thank you", "thanks for watching!", "thanks for watching.", "you", "bye.", ".",
    "so",         "okay."};
const QSet<QString> fillers = {"um", "uh", "erm", "er", "hmm", "mm", "ah", "oh"};
const QSet<QString> smallWords = {"and", "the", "a",    "an", "but", "so", "or", "of",
                                  "to",  "i",   "it", "that", "then", "in", "is"};

QStringList words(const QString& text) {
    QStringList out;
    QString word;
    for (const QChar c : text.toLower()) {
        if (c.isLetter() || c == u'\'') {
            word += c;
        } else if (!word.isEmpty()) {
            out.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        out.append(word);
    return out;
}

QString trimPunctuation(const QString& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text[from].isPunct())
        ++from;
    while (to > from && text[to - 1].isPunct())
        --to;
    return text.mid(from, to - from);
}
} // namespace

bool LiveTranscript::repeats(const QString& context, const QString& text) {
    return !context.isEmpty() && MeetingEcho::tokens(text).size() > 2 &&
           context.toLower().contains(trimPunctuation(text.toLower()));
}

LiveTranscript::LiveTranscript(MeetingStore& store, Settings& settings, Scheduler& main,
                               Transcribe transcribe)
    : store(store), settings(settings), main(main), transcribe(std::move(transcribe)) {}

LiveTranscript::~LiveTranscript() = default;

void LiveTranscript::reset() {
    lineFor.clear();
    failStreak = 0;
    lost = false;
    if (trouble) {
        trouble = false;
        emit troubleChanged(false);
    }
}

bool LiveTranscript::keep(const QString& text, double seconds) {
    if (text.isEmpty())
        return false;
    if (text.startsWith('[') || text.startsWith('(') || text.startsWith(u'♪') ||
        text.startsWith('*'))
        return false;
    if (seconds < 2 && shortNoisePhrases.contains(text.toLower()))
        return false;
    const QStringList all = words(text);
    if (all.isEmpty())
        return true;
    const auto isFiller = [](const QString& w) { return fillers.contains(w); };
    if (std::all_of(all.begin(), all.end(), isFiller))
        return false;
    const auto isSmall = [](const QString& w) { return fillers.contains(w) || smallWords.contains(w); };
    return !(all.size() <= 3 && std::all_of(all.begin(), all.end(), isSmall));
}

QString LiveTranscript::context(const CallJob& job, const QUuid& id) const {
    const Meeting* m = store.find(id);
    if (!m)
        return {};
    const std::optional<QUuid> line =
        lineFor.contains(job.turn) ? std::optional(lineFor.value(job.turn)) : std::nullopt;
    const MeetingLine* x = nullptr;
    if (job.final || !line) {
        // A turn's whole text never leans on its own draft: only on the same side's line just
        // before it.
        for (auto it = m->lines.crbegin(); it != m->lines.crend() && !x; ++it)
            if (it->who == job.who && it->id != line && it->last() > job.t - contextWindow &&
                it->t < job.t)
                x = &*it;
    } else {
        for (const MeetingLine& l : m->lines)
            if (l.id == *line)
                x = &l;
    }
    return x ? Vocabulary::lastWords(x->text, contextWords) : QString();
}

void LiveTranscript::handle(const CallJob& job, const std::optional<QUuid>& id,
                            std::function<void()> release) {
    if (!id)
        return release();
    if (job.final && job.samples.empty()) {
        if (lineFor.contains(job.turn))
            store.finalizeLine(*id, lineFor.value(job.turn), std::nullopt);
        lineFor.remove(job.turn);
        return release();
    }
    const QString ctx = context(job, *id);
    const QString prompt = Vocabulary::prompt(settings.vocab(), ctx);
    // A reply arriving after the recorder is gone is dropped.
    const QPointer<QObject> self = this;
    transcribe(
        Wav::bytes(job.samples), prompt, 0, true,
        [this, self, &main = main, job, id = *id, ctx, release](std::optional<QString> text) {
            if (text)
                text = text->trimmed();
            main.after(self, 0, [this, r = Result{job, id, ctx, text}, release] {
                handleResult(r);
                release();
            });
        });
}

void LiveTranscript::handleResult(const Result& r) {
    failStreak = r.text ? 0 : failStreak + 1;
    lost = lost || !r.text;
    if ((failStreak > 1) != trouble) {
        trouble = failStreak > 1;
        emit troubleChanged(trouble);
    }
    const QString t = Cleanup::basic(r.text.value_or(QString()), settings.vocab(), false);
    const CallJob& job = r.job;
    if (!keep(t, job.seconds())) {
        if (job.final)
            finish(job, std::nullopt, r.id);
        return;
    }
    // Repeating its own prompt back is a known failure of the engine.
    const bool dup = repeats(r.context, t);
    if (!job.final) {
        if (!dup)
            addDraft(job, t, r.id);
        return;
    }
    finish(job, dup ? std::nullopt : std::optional(t), r.id);
}

QString LiveTranscript::continuing(const QString& line, const QString& text) {
    const QChar last = line.isEmpty() ? u' ' : line.back();
    if (last == u'.' || last == u'?' || last == u'!')
        return text;
    const QStringList split = text.split(u' ', Qt::SkipEmptyParts);
    if (split.isEmpty())
        return text;
    const QString& first = split.first();
    const bool keepsCase = first == "I" || first.startsWith("I'") ||
                           std::any_of(first.begin() + 1, first.end(),
                                       [](QChar c) { return c.isUpper(); });
    if (keepsCase)
        return text;
    return text.left(1).toLower() + text.mid(1);
}

void LiveTranscript::addDraft(const CallJob& job, const QString& text, const QUuid& id) {
    const double end = job.t + job.seconds();
    if (lineFor.contains(job.turn)) {
        const QUuid l = lineFor.value(job.turn);
        const Meeting* m = store.find(id);
        if (!m)
            return;
        for (const MeetingLine& line : m->lines)
            if (line.id == l) {
                store.appendToLine(id, l, continuing(line.text, text), end, job.who);
                return;
            }
        return; // the user deleted the line: the rest of its turn goes with it
    }
    MeetingLine line;
    line.t = std::max(job.t, 0.0);
    line.who = job.who;
    line.text = text;
    line.e = end;
    line.draft = true;
    store.addLine(id, line);
    lineFor.insert(job.turn, line.id);
}

void LiveTranscript::finish(const CallJob& job, const std::optional<QString>& text,
                            const QUuid& id) {
    if (lineFor.contains(job.turn)) {
        store.finalizeLine(id, lineFor.value(job.turn), text);
    } else if (text) {
        MeetingLine line;
        line.t = std::max(job.t, 0.0);
        line.who = job.who;
        line.text = *text;
        line.e = job.t + job.seconds();
        store.addLine(id, line);
    }
    lineFor.remove(job.turn);
}
