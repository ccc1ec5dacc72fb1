#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QtGlobal>

#include <cstdint>
#include <span>
#include <vector>

// The upload format of every engine request: a 44-byte PCM header for 16 kHz mono 16-bit,
// then the samples little-endian.
namespace Wav {
constexpr int headerSize = 44;
constexpr int sampleRate = 16000;
constexpr int bytesPerSecond = sampleRate * 2;

QByteArray bytes(std::span<const int16_t> samples);
// The header alone with the given RIFF and "data" sizes; call audio starts with both at 0 and
// fills them in when the file is closed or repaired.
QByteArray header(quint32 riffSize, quint32 dataSize);
// Where the 44-byte header keeps its two sizes.
constexpr qint64 riffSizeOffset = 4;
constexpr qint64 dataSizeOffset = 40;
// Overwrites one little-endian 32-bit size in place.
bool writeSize(QIODevice& file, qint64 offset, quint32 value);
} // namespace Wav
