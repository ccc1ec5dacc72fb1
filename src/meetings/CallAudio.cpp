#include "meetings/CallAudio.h"

#include "core/DebugLog.h"
#include "core/JsonUuid.h"
#include "core/Wav.h"
#include "meetings/AacFile.h"
#include "meetings/WavLayout.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

namespace {
constexpr qint64 rate = Wav::sampleRate;
constexpr qint64 block = 10 * rate;
constexpr qint64 cap = std::numeric_limits<quint32>::max();
// Where an interrupted pack leaves its output: beside the .m4a, under the meeting's id.
const QString partial = ".packing";

std::optional<QUuid> idOf(const QString& fileName) {
    return JsonUuid::read(fileName.left(36));
}
} // namespace

// A side's samples, from a WAV file read in place or from a decoded .m4a.
class CallAudio::Side {
  public:
    static std::optional<Side> wav(const QString& path) {
        auto file = std::make_shared<QFile>(path);
        if (!file->open(QIODevice::ReadOnly))
            return std::nullopt;
        const auto layout = WavLayout::read(*file);
        if (!layout || !layout->isCallAudio() || layout->sampleRate != rate)
            return std::nullopt;
        const qint64 bytes = std::min<qint64>(layout->storedSize, file->size() - layout->dataOffset);
        return Side(file, layout->dataOffset, std::max<qint64>(bytes, 0) / 2, nullptr);
    }

    static std::optional<Side> m4a(const QString& path) {
        auto samples = AacFile::decode(path);
        if (!samples)
            return std::nullopt;
        const auto total = qint64(samples->size());
        return Side(nullptr, 0, total, std::make_shared<Samples>(std::move(*samples)));
    }

    qint64 frames() const { return total; }

    // Fewer than `count` near the end; none when the read fails.
    std::optional<Samples> read(qint64 start, qint64 count) const {
        count = std::min(count, total - start);
        if (start < 0 || count < 0)
            return std::nullopt;
        if (decoded)
            return Samples(decoded->begin() + start, decoded->begin() + start + count);
        if (!file->seek(offset + start * 2))
            return std::nullopt;
        const QByteArray bytes = file->read(count * 2);
        if (bytes.size() != count * 2)
            return std::nullopt;
        Samples out(static_cast<size_t>(count));
        qFromLittleEndian<int16_t>(bytes.constData(), count, out.data());
        return out;
    }

  private:
    Side(std::shared_ptr<QFile> file, qint64 offset, qint64 total,
         std::shared_ptr<Samples> decoded)
        : file(std::move(file)), offset(offset), total(total), decoded(std::move(decoded)) {}

    std::shared_ptr<QFile> file;
    qint64 offset;
    qint64 total;
    std::shared_ptr<Samples> decoded;
};

CallAudio::CallAudio(QString dir, Clock& clock) : folder(std::move(dir)), clock(clock) {}

CallAudio::~CallAudio() {
    flush();
}

QString CallAudio::url(const QUuid& id, const SpeakerKey& side, const QString& ext) const {
    return folder + "/" + JsonUuid::text(id) + "-" + side.stored().toLower() + "." + ext;
}

QStringList CallAudio::files(const QUuid& id) const {
    QStringList out;
    for (const SpeakerKey& side : sides())
        for (const char* ext : {"m4a", "wav"})
            if (QFileInfo::exists(url(id, side, ext)))
                out.append(url(id, side, ext));
    return out;
}

void CallAudio::remove(const QUuid& id) {
    q.async([this, id] {
        for (const QString& path : files(id))
            QFile::remove(path);
    });
}

void CallAudio::repair(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || file.size() < 45)
        return;
    const auto layout = WavLayout::read(file);
    if (!layout)
        return;
    const qint64 size = file.size();
    const qint64 wanted = std::min(size - layout->dataOffset, cap) / 2 * 2;
    if (layout->storedSize == wanted)
        return;
    Wav::writeSize(file, Wav::riffSizeOffset, quint32(std::min(size - 8, cap)));
    Wav::writeSize(file, layout->sizeField, quint32(wanted));
    debugLog("repaired " + QFileInfo(path).fileName() + ": " +
             QString::number(wanted / Wav::bytesPerSecond) + " s");
}

void CallAudio::pack(const QUuid& id) {
    q.async([this, id] { packNow(id); });
}

void CallAudio::packNow(const QUuid& id) {
    for (const SpeakerKey& side : sides()) {
        const QString wav = url(id, side, "wav");
        if (!QFileInfo::exists(wav))
            continue;
        repair(wav);
        const auto source = Side::wav(wav);
        if (!source)
            continue;
        // A side that never started has nothing worth keeping.
        if (source->frames() == 0 || convert(wav, url(id, side, "m4a")))
            QFile::remove(wav);
    }
}

// Written under a temporary name and renamed only when whole, so the WAV, the call's only
// audio until then, goes only once its .m4a is complete.
bool CallAudio::convert(const QString& wav, const QString& m4a) {
    const auto source = Side::wav(wav);
    if (!source)
        return false;
    const QString temporary = m4a + partial;
    qint64 at = 0;
    const bool encoded = AacFile::encode(
        [&](std::span<int16_t> buffer) -> qint64 {
            const auto got = source->read(at, qint64(buffer.size()));
            if (!got)
                return -1;
            std::copy(got->begin(), got->end(), buffer.begin());
            at += qint64(got->size());
            return qint64(got->size());
        },
        temporary);
    if (encoded && at == source->frames() &&
        std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(m4a).constData()) == 0)
        return true;
    QFile::remove(temporary);
    return false;
}

std::optional<CallAudio::Side> CallAudio::open(const QUuid& id, const SpeakerKey& side) const {
    const QString wav = url(id, side, "wav");
    if (QFileInfo::exists(wav)) {
        repair(wav);
        if (auto s = Side::wav(wav))
            return s;
    }
    const QString m4a = url(id, side, "m4a");
    return QFileInfo::exists(m4a) ? Side::m4a(m4a) : std::nullopt;
}

std::optional<CallAudio::Samples> CallAudio::load(const QUuid& id, const SpeakerKey& side) const {
    const auto source = open(id, side);
    if (!source)
        return std::nullopt;
    Samples out;
    for (qint64 at = 0; at < source->frames();) {
        const auto got = source->read(at, block);
        if (!got || got->empty())
            break;
        out.insert(out.end(), got->begin(), got->end());
        at += qint64(got->size());
    }
    return out;
}

std::optional<CallAudio::Samples> CallAudio::load(const QUuid& id, const SpeakerKey& side,
                                                  const QList<Range>& ranges, double limit) const {
    const auto source = open(id, side);
    if (!source)
        return std::nullopt;
    QList<Range> longest = ranges;
    std::stable_sort(longest.begin(), longest.end(), [](const Range& a, const Range& b) {
        return a.second - a.first > b.second - b.first;
    });
    Samples out;
    for (const auto& [start, end] : longest) {
        if (end - start < 1)
            continue;
        const auto first = qint64(start * rate);
        const auto count = qint64(std::min(limit, end - start) * rate);
        const auto got = first < source->frames() ? source->read(first, count) : std::nullopt;
        if (!got)
            continue;
        out.insert(out.end(), got->begin(), got->end());
        if (double(out.size()) >= limit * rate)
            break;
    }
    return out;
}

void CallAudio::tidy(qint64 days, const std::optional<QUuid>& except) {
    q.async([this, days, except] { tidyNow(days, except); });
}

void CallAudio::tidyNow(qint64 days, const std::optional<QUuid>& except) {
    const double now = clock.now();
    const double cutoff = now - double(std::max<qint64>(days, 0)) * 86400;
    QList<QUuid> leftovers;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        const auto id = idOf(info.fileName());
        if (!id || id == except)
            continue;
        const QDateTime modified = info.lastModified();
        const double date = modified.isValid() ? double(modified.toMSecsSinceEpoch()) / 1000 : now;
        if (info.fileName().endsWith(partial) || (days >= 0 && date < cutoff))
            QFile::remove(info.filePath());
        else if (info.suffix() == "wav" && !leftovers.contains(*id))
            leftovers.append(*id);
    }
    for (const QUuid& id : leftovers)
        packNow(id);
}

QString CallAudio::audioKeptText(const Meeting& m, qint64 days) const {
    if (files(m.id).isEmpty())
        return QCoreApplication::translate("CallAudio", "Audio deleted");
    if (days == -1)
        return QCoreApplication::translate("CallAudio", "Audio kept forever");
    if (days == 0)
        return QCoreApplication::translate("CallAudio", "Audio kept until written up");
    return QCoreApplication::translate("CallAudio", "Audio kept %n days", nullptr, int(days));
}

void CallAudio::flush() {
    q.sync([] {});
}
