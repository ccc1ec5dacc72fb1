#include "meetings/AudioFile.h"
#include "meetings/AudioDecoder.h"
#include "meetings/WavLayout.h"

#include <QFile>
#include <QtEndian>

namespace {
constexpr quint32 rate = 16000;

// The plain case, 16 kHz 16-bit PCM, is read as it stands; other WAVs still decode.
std::optional<std::vector<int16_t>> readPlainWav(QFile& file) {
    const auto layout = WavLayout::read(file);
    if (!layout || layout->format != 1 || layout->bits != 16 || layout->sampleRate != rate ||
        !layout->channels || !file.seek(layout->dataOffset))
        return std::nullopt;
    const QByteArray data = file.read(layout->storedSize);
    const qsizetype frameBytes = 2 * qsizetype(layout->channels);
    std::vector<int16_t> samples(size_t(data.size() / frameBytes));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<int16_t>(data.constData() + qsizetype(i) * frameBytes);
    return samples;
}
} // namespace

namespace AudioFile {

std::optional<std::vector<int16_t>> read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (auto plain = readPlainWav(file))
        return plain;
    return AudioDecoder::decode(path, AudioDecoder::Input::anyFile);
}

} // namespace AudioFile
