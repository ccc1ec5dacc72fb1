#pragma once

#include "core/Clock.h"

#include <QDateTime>
#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

// One side of a call as a 16 kHz mono WAV file, kept on the meeting's clock: sample n is
// n / 16000 seconds after the meeting's start on both sides, so line times point into either file.
class CallAudioWriter {
  public:
    // None when the file can't be created; its folder is made first.
    static std::unique_ptr<CallAudioWriter> create(const QString& path, const QDateTime& start,
                                                   Clock& clock = Clock::system());
    ~CallAudioWriter();
    CallAudioWriter(const CallAudioWriter&) = delete;
    CallAudioWriter& operator=(const CallAudioWriter&) = delete;

    void write(std::span<const int16_t> samples);
    // Fills in the header's sizes; later writes do nothing.
    void close();
    qint64 written() const { return count; }

  private:
    CallAudioWriter(std::unique_ptr<QFile> file, double start, Clock& clock);
    void pad(qint64 samples);
    bool append(std::span<const int16_t> samples);

    std::unique_ptr<QFile> file;
    qint64 count = 0;
    const double start;
    Clock& clock;
};
