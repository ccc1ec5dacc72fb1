#pragma once

#include "core/SerialQueue.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// Voiceprints: unit-length vectors that characterise a voice, made by the speaker-embedding
// functions of the sherpa-onnx C library and compared by their dot product. The library is
// opened once per process, on first use, and every call into it runs on "voxmere.voiceprint".
class VoicePrint {
  public:
    using Print = std::vector<float>;
    using Samples = std::span<const int16_t>;
    using Range = std::pair<double, double>;
    // Loads the model in a short-lived process and answers whether that survived: a damaged
    // model aborts the process that loads it, and one without its metadata exits it.
    using Probe = std::function<bool(const QString& library, const QString& model)>;

    VoicePrint(QString library, QString model, Probe probe);
    ~VoicePrint();
    VoicePrint(const VoicePrint&) = delete;
    VoicePrint& operator=(const VoicePrint&) = delete;

    // None for less than 2 s of audio or when the library can't be used. Any thread; blocks.
    std::optional<Print> of(Samples samples);
    // The longest ranges first, each at least 1 s, until `limit` seconds are gathered.
    static std::vector<int16_t> audio(Samples samples, QList<Range> ranges, double limit = 60);
    // −1 for prints of different lengths, so they never match.
    static float similarity(const Print& a, const Print& b);
    static Print unit(Print v);
    // The windows, as [begin, end) sample indices, that long audio is printed in.
    static QList<std::pair<qsizetype, qsizetype>> windows(qsizetype count);

    // The hidden command-line check: loads the model in this process; exit status 0 when it
    // loaded.
    static int loadCheck(const QString& library, const QString& model);
    static constexpr const char* checkFlag = "--voiceprint-check";
    // A probe that runs `program` with the check flag, the library and the model.
    static Probe childCheck(QString program);

  private:
    struct Library;

    std::optional<Print> one(Samples samples);
    bool load();

    QString libraryPath;
    QString modelPath;
    Probe probe;
    // On q.
    bool tried = false;
    std::unique_ptr<Library> lib;
    // Last, so its worker stops before the members it uses go away.
    SerialQueue q{"voxmere.voiceprint"};
};
