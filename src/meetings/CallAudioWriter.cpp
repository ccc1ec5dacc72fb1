#include "meetings/CallAudioWriter.h"

#include "core/Paths.h"
#include "core/Wav.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
// A laptop resumed after hours owes hours of silence: written a minute at a time, not at once.
constexpr qint64 silenceBlock = 60 * Wav::sampleRate;
// Late by more than this and the gap is filled; anything less isn't worth correcting.
constexpr qint64 tolerance = Wav::sampleRate / 2;

} // namespace

std::unique_ptr<CallAudioWriter> CallAudioWriter::create(const QString& path,
                                                         const QDateTime& start, Clock& clock) {
    Paths::makePrivateFolder(QFileInfo(path).absolutePath());
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: whatever was written is in the file when the process is killed.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return nullptr;
    file->setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (file->write(Wav::header(0, 0)) != Wav::headerSize) {
        file->remove();
        return nullptr;
    }
    return std::unique_ptr<CallAudioWriter>(
        new CallAudioWriter(std::move(file), double(start.toMSecsSinceEpoch()) / 1000.0, clock));
}

CallAudioWriter::CallAudioWriter(std::unique_ptr<QFile> file, double start, Clock& clock)
    : file(std::move(file)), start(start), clock(clock) {}

CallAudioWriter::~CallAudioWriter() {
    close();
}

void CallAudioWriter::write(std::span<const int16_t> samples) {
    if (!file || samples.empty())
        return;
    const qint64 expected = qint64(std::floor((clock.now() - start) * Wav::sampleRate));
    const qint64 gap = expected - qint64(samples.size()) - count;
    // The computer-audio side starts after the call and either side can stall: padding keeps
    // both files and the meeting's line times on one timeline.
    if (gap > tolerance)
        pad(gap);
    append(samples);
}

void CallAudioWriter::pad(qint64 samples) {
    const std::vector<int16_t> silence(size_t(std::min(samples, silenceBlock)), 0);
    while (samples > 0) {
        const auto n = size_t(std::min<qint64>(samples, qint64(silence.size())));
        if (!append(std::span(silence).first(n)))
            return;
        samples -= qint64(n);
    }
}

bool CallAudioWriter::append(std::span<const int16_t> samples) {
    QByteArray bytes(qsizetype(samples.size() * 2), Qt::Uninitialized);
    qToLittleEndian<int16_t>(samples.data(), qsizetype(samples.size()), bytes.data());
    if (file->write(bytes) != bytes.size()) {
        // Drop a partly written block so later samples stay on whole-sample boundaries.
        file->resize(Wav::headerSize + count * 2);
        file->seek(Wav::headerSize + count * 2);
        return false;
    }
    count += qint64(samples.size());
    return true;
}

void CallAudioWriter::close() {
    if (!file)
        return;
    constexpr qint64 cap = std::numeric_limits<quint32>::max();
    const qint64 data = std::min(count * 2, cap - 36);
    Wav::writeSize(*file, Wav::riffSizeOffset, quint32(data + 36));
    Wav::writeSize(*file, Wav::dataSizeOffset, quint32(data));
    file.reset();
}
