#include "calls/Segmenter.h"

#include "calls/Rms.h"

#include <algorithm>

namespace {
constexpr double rate = 16000;
constexpr size_t fourSeconds = 64000;
constexpr size_t eightSeconds = 128000;
constexpr size_t twentySeconds = 320000;

void append(Segmenter::Samples& to, std::span<const int16_t> samples) {
    to.insert(to.end(), samples.begin(), samples.end());
}
} // namespace

Segmenter::Segmenter(float floor, const Clock& clock)
    : clock(clock), segmentStart(clock.now()), turnStart(segmentStart), floor(floor) {}

float Segmenter::threshold() const {
    const float scaled = 3.0f * noise;
    return floor > scaled ? floor : scaled;
}

double Segmenter::now() const {
    return base ? *base + double(fed) / rate : clock.now();
}

void Segmenter::feed(std::span<const int16_t> samples) {
    append(pending, samples);
    size_t used = 0;
    while (pending.size() - used >= size_t(frame)) {
        step(std::span<const int16_t>(pending).subspan(used, frame));
        used += frame;
    }
    pending.erase(pending.begin(), pending.begin() + used);
}

void Segmenter::flush() {
    if (inSpeech_)
        emitPiece();
    if (turnOpen_)
        closeTurn(turn);
}

void Segmenter::step(std::span<const int16_t> f) {
    const float r = rms(f);
    fed += frame;
    const bool voiced = r > threshold();
    if (!voiced)
        noise = 0.95f * noise + 0.05f * r;
    if (inSpeech_)
        continueSpeech(f, r, voiced);
    else
        outsideSpeech(f, r, voiced);
    if (onLevel)
        onLevel(r, inSpeech_);
}

void Segmenter::continueSpeech(std::span<const int16_t> f, float r, bool voiced) {
    append(segment, f);
    append(turn, f);
    energy.push_back(r);
    if (voiced) {
        speechFrames += 1;
        silenceFrames = 0;
        if (segment.size() >= eightSeconds)
            split();
        return;
    }
    silenceFrames += 1;
    if (silenceFrames >= 8) {
        emitPiece();
        closeTurn(turn);
    } else if (silenceFrames >= 2 && segment.size() >= fourSeconds) {
        emitPiece();
        if (turn.size() >= twentySeconds)
            closeTurn(turn);
    } else if (segment.size() >= eightSeconds) {
        split();
    }
}

void Segmenter::outsideSpeech(std::span<const int16_t> f, float r, bool voiced) {
    sinceEmit += 1;
    if (voiced) {
        inSpeech_ = true;
        segment.clear();
        for (const Samples& quiet : preroll)
            append(segment, quiet);
        append(segment, f);
        energy.assign(preroll.size() + 1, r);
        segmentStart = now() - double(segment.size()) / rate;
        speechFrames = 1;
        silenceFrames = 0;
        if (turnOpen_) {
            append(turn, f);
        } else {
            turnOpen_ = true;
            turnID = QUuid::createUuid();
            turnPieces = 0;
            turn = segment;
            turnStart = segmentStart;
        }
        return;
    }
    if (turnOpen_) {
        append(turn, f);
        if (sinceEmit >= 13)
            closeTurn(turn);
    }
    preroll.emplace_back(f.begin(), f.end());
    if (preroll.size() > 3)
        preroll.pop_front();
}

void Segmenter::emitPiece() {
    // Fewer than 3 voiced frames is a click or a cough, not speech worth transcribing.
    if (speechFrames >= 3) {
        turnPieces += 1;
        if (onPiece)
            onPiece(segment, segmentStart, turnID);
    }
    segment.clear();
    energy.clear();
    preroll.clear();
    inSpeech_ = false;
    speechFrames = 0;
    silenceFrames = 0;
    sinceEmit = 0;
}

void Segmenter::closeTurn(const Samples& samples) {
    static const Samples none;
    if (turnPieces > 0 && onTurnEnd)
        onTurnEnd(turnID, turnStart, turnPieces, turnPieces == 1 ? none : samples);
    turnOpen_ = false;
    turn.clear();
    turnPieces = 0;
}

void Segmenter::split() {
    // Cut after the quietest of the last 20 frames, never before the first; among equal lows the
    // earliest wins, but a tie with the last frame keeps the whole piece.
    const size_t n = energy.size();
    size_t c = n - 1;
    for (size_t i = std::max(n, size_t(21)) - 20; i < n; ++i)
        if (energy[i] < energy[c])
            c = i;
    const size_t k = c + 1;
    const size_t cut = size_t(frame) * k;

    turnPieces += 1;
    if (onPiece)
        onPiece(Samples(segment.begin(), segment.begin() + cut), segmentStart, turnID);
    segmentStart += double(cut) / rate;
    segment.erase(segment.begin(), segment.begin() + cut);
    energy.erase(energy.begin(), energy.begin() + k);
    speechFrames = std::max(int(energy.size()), 3);
    silenceFrames = 0;

    if (turn.size() >= twentySeconds) {
        const size_t closed = turn.size() > segment.size() ? turn.size() - segment.size() : 0;
        closeTurn(Samples(turn.begin(), turn.begin() + closed));
        turnOpen_ = true;
        turnID = QUuid::createUuid();
        turn = segment;
        turnStart = segmentStart;
    }
}
