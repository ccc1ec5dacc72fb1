#include "app/DictationRecording.h"

#include "text/Cleanup.h"
#include "text/Vocabulary.h"

#include <QStringList>

#include <algorithm>
#include <utility>

int DictationRecording::add(std::vector<int16_t> samples) {
    pieces.push_back({std::move(samples), std::nullopt, false});
    return count() - 1;
}

void DictationRecording::resend(int index) {
    Piece& p = pieces[size_t(index)];
    p.text.reset();
    p.failed = false;
}

void DictationRecording::answer(int index, const std::optional<QString>& reply) {
    if (index < 0 || index >= count())
        return;
    Piece& p = pieces[size_t(index)];
    p.text = Cleanup::dropRepeats(reply.value_or(QString()).trimmed());
    p.failed = !reply.has_value();
    if (complete())
        runWaiters();
}

void DictationRecording::wait(std::function<void()> waiter) {
    waiters.push_back(std::move(waiter));
    if (complete())
        runWaiters();
}

bool DictationRecording::complete() const {
    return std::all_of(pieces.begin(), pieces.end(),
                       [](const Piece& p) { return p.text.has_value(); });
}

std::vector<int> DictationRecording::failedPieces() const {
    std::vector<int> failed;
    for (int i = 0; i < count(); ++i)
        if (pieces[size_t(i)].failed)
            failed.push_back(i);
    return failed;
}

QString DictationRecording::joined() const {
    QStringList texts;
    for (const Piece& p : pieces)
        if (p.text && !p.text->isEmpty())
            texts << *p.text;
    return texts.join(' ');
}

QString DictationRecording::context(int index) const {
    if (index <= 0 || index > count())
        return {};
    return Vocabulary::lastWords(pieces[size_t(index - 1)].text.value_or(QString()));
}

void DictationRecording::runWaiters() {
    // A waiter may add pieces or waiters of its own; take the list first.
    auto taken = std::exchange(waiters, {});
    waitersRan = waitersRan || !taken.empty();
    for (auto& waiter : taken)
        waiter();
}
