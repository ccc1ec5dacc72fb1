#pragma once

#include "core/Clock.h"

#include <QUuid>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// Cuts one side of a call (16 kHz mono samples) into speech pieces of at most about 8 s and
// turns of up to about 20 s, with an energy threshold over 100 ms frames that adapts to the
// background. One instance per side and per run; not safe for concurrent use. The callbacks run
// synchronously inside `feed` and `flush`, a turn's pieces always before its end.
// Times are seconds since the Unix epoch.
class Segmenter {
  public:
    using Samples = std::vector<int16_t>;
    using PieceHandler =
        std::function<void(const Samples& samples, double start, const QUuid& turn)>;
    // `samples` is empty for a one-piece turn: that piece's text already stands for the turn.
    using TurnEndHandler =
        std::function<void(const QUuid& turn, double start, int pieces, const Samples& samples)>;
    using LevelHandler = std::function<void(float level, bool inSpeech)>;

    static constexpr int frame = 1600;

    explicit Segmenter(float floor, const Clock& clock = Clock::system());

    void feed(std::span<const int16_t> samples);
    // Ends the stream: delivers the piece being collected, then the open turn. A partial frame
    // still pending is never looked at: a segmenter is not fed after it is flushed.
    void flush();

    bool inSpeech() const { return inSpeech_; }
    bool turnOpen() const { return turnOpen_; }
    // The level a frame must exceed to count as voiced.
    float threshold() const;

    // Set before feeding to time pieces by their position in the stream (base + samples ÷ 16000)
    // instead of by the wall clock, as when segmenting saved audio.
    std::optional<double> base;
    PieceHandler onPiece;
    TurnEndHandler onTurnEnd;
    LevelHandler onLevel;

  private:
    void step(std::span<const int16_t> f);
    void continueSpeech(std::span<const int16_t> f, float r, bool voiced);
    void outsideSpeech(std::span<const int16_t> f, float r, bool voiced);
    void emitPiece();
    void closeTurn(const Samples& samples);
    void split();
    double now() const;

    const Clock& clock;
    Samples pending;
    std::deque<Samples> preroll;
    Samples segment;
    std::vector<float> energy;
    double segmentStart;
    bool inSpeech_ = false;
    int speechFrames = 0;
    int silenceFrames = 0;
    int sinceEmit = 1000;
    Samples turn;
    double turnStart;
    QUuid turnID = QUuid::createUuid();
    int turnPieces = 0;
    bool turnOpen_ = false;
    float noise = 0.002f;
    const float floor;
    qint64 fed = 0;
};
