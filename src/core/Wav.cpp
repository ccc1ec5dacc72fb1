#include "core/Wav.h"

#include <QtEndian>

namespace {
void append32(QByteArray& out, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    out.append(raw, 4);
}

void append16(QByteArray& out, quint16 value) {
    char raw[2];
    qToLittleEndian(value, raw);
    out.append(raw, 2);
}
} // namespace

namespace Wav {
QByteArray bytes(std::span<const int16_t> samples) {
    const quint32 dataSize = quint32(samples.size() * 2);
    QByteArray out = header(dataSize + 36, dataSize);
    out.reserve(headerSize + qsizetype(dataSize));
    for (int16_t sample : samples)
        append16(out, quint16(sample));
    return out;
}

QByteArray header(quint32 riffSize, quint32 dataSize) {
    QByteArray out;
    out.append("RIFF", 4);
    append32(out, riffSize);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    append32(out, 16);
    append16(out, 1);
    append16(out, 1);
    append32(out, sampleRate);
    append32(out, bytesPerSecond);
    append16(out, 2);
    append16(out, 16);
    out.append("data", 4);
    append32(out, dataSize);
    return out;
}

bool writeSize(QIODevice& file, qint64 offset, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    return file.seek(offset) && file.write(raw, 4) == 4;
}
} // namespace Wav
