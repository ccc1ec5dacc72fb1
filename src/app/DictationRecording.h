#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

#include <functional>
#include <optional>
#include <vector>

// One recording's pieces at the engine. Each piece keeps its samples until the next recording,
// so a piece the engine failed on can be sent again at the stop. The pieces, their failures and
// the waiters belong to the recording, not to the controller: a recording given up for a newer
// one still collects its late replies.
class DictationRecording {
  public:
    struct Piece {
        std::vector<int16_t> samples;
        std::optional<QString> text; // none while at the engine
        bool failed = false;
    };

    explicit DictationRecording(quint64 pieceSession) : pieceSession(pieceSession) {}

    const quint64 pieceSession;
    // Cancelled or too short: nothing of it is delivered or kept.
    bool discarded = false;
    // A newer recording started before its pieces were all back: kept, not pasted.
    bool abandoned = false;

    // Returns the new piece's index.
    int add(std::vector<int16_t> samples);
    // The piece goes to the engine (again): its text is unknown until the reply.
    void resend(int index);
    // The engine's reply for a piece; runs the waiters once every piece has text.
    void answer(int index, const std::optional<QString>& reply);
    // Runs at once when every piece already has text.
    void wait(std::function<void()> waiter);

    int count() const { return int(pieces.size()); }
    const Piece& piece(int index) const { return pieces[size_t(index)]; }
    bool complete() const;
    bool waited() const { return waitersRan; }
    // The pieces that got no text, in order.
    std::vector<int> failedPieces() const;
    // The texts that came back, in order, joined by single spaces.
    QString joined() const;
    // What primes piece `index`: the end of the piece before it, once that has come back.
    QString context(int index) const;

  private:
    void runWaiters();

    std::vector<Piece> pieces;
    std::vector<std::function<void()>> waiters;
    bool waitersRan = false;
};
