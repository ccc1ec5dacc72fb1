#pragma once

#include <QFile>
#include <QtGlobal>

#include <optional>

// Where a RIFF/WAVE file keeps its samples. The "data" chunk need not follow the format at
// offset 36, so the chunks are walked, within the first 4096 bytes.
struct WavLayout {
    qint64 sizeField = 0; // offset of the data chunk's stored size
    quint32 storedSize = 0;
    qint64 dataOffset = 0;
    quint16 format = 0; // 1 for integer PCM
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 bits = 0;

    bool isCallAudio() const { return format == 1 && channels == 1 && bits == 16; }
    // None when the file is too short or its chunks lead past what was read.
    static std::optional<WavLayout> read(QFile& file);
};
