#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// The upload format of every engine request: a 44-byte PCM header for 16 kHz mono 16-bit,
// then the samples little-endian.
namespace Wav {
constexpr int headerSize = 44;
constexpr int sampleRate = 16000;
constexpr int bytesPerSecond = sampleRate * 2;

QByteArray bytes(const std::vector<qint16>& samples);
} // namespace Wav
