#include "meetings/Speakers.h"

#include "core/DebugLog.h"
#include "core/Paths.h"
#include "core/Wav.h"
#include "meetings/VoicePrint.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <map>

namespace {
constexpr qsizetype chunk = 10 * Wav::sampleRate;

struct Group {
    QList<Speakers::Turn> turns;
    std::optional<Speakers::Print> print;
    double total() const {
        double sum = 0;
        for (const auto& t : turns)
            sum += t.end - t.start;
        return sum;
    }
};
using Groups = std::map<int, Group>;

QList<Speakers::Turn> numbered(QList<Speakers::Turn> turns) {
    std::stable_sort(turns.begin(), turns.end(),
                     [](const auto& a, const auto& b) { return a.start < b.start; });
    QHash<int, int> number;
    for (auto& t : turns) {
        if (!number.contains(t.speaker))
            number.insert(t.speaker, int(number.size()) + 1);
        t.speaker = number.value(t.speaker);
    }
    return turns;
}

void join(Groups& groups, int from, int into) {
    Group& a = groups.at(from);
    Group& b = groups.at(into);
    const double wa = a.total();
    const double wb = b.total();
    for (auto t : a.turns) {
        t.speaker = into;
        b.turns.append(t);
    }
    if (a.print && b.print) {
        const double w = wa + wb > 1 ? wa + wb : 1;
        const size_t n = std::min(a.print->size(), b.print->size());
        Speakers::Print mean(n);
        for (size_t i = 0; i < n; ++i)
            mean[i] = float(((*b.print)[i] * wb + (*a.print)[i] * wa) / w);
        b.print = VoicePrint::unit(mean);
    }
    groups.erase(from);
}

int largest(const Groups& groups) {
    int best = groups.begin()->first;
    double most = -1;
    for (const auto& [k, g] : groups)
        if (g.total() > most) {
            most = g.total();
            best = k;
        }
    return best;
}

void foldUnprintable(Groups& groups) {
    QList<int> keys;
    for (const auto& [k, g] : groups)
        if (!g.print)
            keys.append(k);
    for (int k : keys) {
        if (groups.size() < 2)
            return;
        const int main = largest(groups);
        if (main != k)
            join(groups, k, main);
    }
}

bool mergeBestPair(Groups& groups) {
    std::optional<std::pair<int, int>> best;
    float bestScore = 0, bestSimilarity = 0;
    for (auto a = groups.begin(); a != groups.end(); ++a)
        for (auto b = std::next(a); b != groups.end(); ++b) {
            if (!a->second.print || !b->second.print)
                continue;
            const float similarity = VoicePrint::similarity(*a->second.print, *b->second.print);
            const float score = similarity - Speakers::sameVoice(
                                                 std::min(a->second.total(), b->second.total()));
            if (!best || score > bestScore) {
                best = {a->first, b->first};
                bestScore = score;
                bestSimilarity = similarity;
            }
        }
    if (!best || bestScore < 0)
        return false;
    const auto [a, b] = *best;
    debugLog(QString::asprintf("speakers merge %d+%d %.2f", a, b, bestSimilarity));
    if (groups.at(a).total() >= groups.at(b).total())
        join(groups, b, a);
    else
        join(groups, a, b);
    return true;
}

void foldShort(Groups& groups) {
    std::vector<std::pair<int, double>> snapshot;
    for (const auto& [k, g] : groups)
        snapshot.emplace_back(k, g.total());
    std::stable_sort(snapshot.begin(), snapshot.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [k, total] : snapshot) {
        if (groups.size() < 2 || total >= 30 || !groups.contains(k) || !groups.at(k).print)
            continue;
        std::optional<int> other;
        float best = 0;
        for (const auto& [o, g] : groups) {
            if (o == k || !g.print)
                continue;
            const float s = VoicePrint::similarity(*groups.at(k).print, *g.print);
            if (!other || s > best) {
                other = o;
                best = s;
            }
        }
        if (other && best >= 0.35f) {
            debugLog(QString::asprintf("speakers fold %d into %d %.2f", k, *other, best));
            join(groups, k, *other);
        }
    }
}
} // namespace

Speakers::Speakers(QString dir, double minimumLimit)
    : folder(std::move(dir)), minimumLimit(minimumLimit) {}

QString Speakers::defaultDir(const QString& executableDir) {
    const QString bundled = QDir::cleanPath(executableDir + "/../share/voxmere/speakers");
    if (QFileInfo::exists(bundled + "/embedding.onnx"))
        return bundled;
    return Paths::dataFile("speakers");
}

QString Speakers::tool() const {
    return folder + "/bin/sherpa-onnx-offline-speaker-diarization";
}

QString Speakers::library() const {
    return folder + "/lib/libsherpa-onnx-c-api.so";
}

QString Speakers::embeddingModel() const {
    return folder + "/embedding.onnx";
}

bool Speakers::available() const {
    const QFileInfo program(tool());
    return program.isFile() && program.isExecutable() &&
           QFileInfo::exists(folder + "/segmentation.onnx") && QFileInfo::exists(embeddingModel());
}

bool Speakers::write(Samples samples, const QString& path) {
    QFile file(path);
    // 36 + the data size must fit the RIFF size field.
    if (samples.size() > 2147483629u || !file.open(QIODevice::WriteOnly))
        return false;
    const auto size = quint32(samples.size() * 2);
    if (file.write(Wav::header(36 + size, size)) != Wav::headerSize)
        return false;
    std::vector<int16_t> block;
    for (size_t at = 0; at < samples.size(); at += chunk) {
        const auto part = samples.subspan(at, std::min<size_t>(chunk, samples.size() - at));
        block.resize(part.size());
        qToLittleEndian<int16_t>(part.data(), qsizetype(part.size()), block.data());
        const auto bytes = qint64(block.size() * 2);
        if (file.write(reinterpret_cast<const char*>(block.data()), bytes) != bytes)
            return false;
    }
    return file.flush();
}

double Speakers::timeLimit(qsizetype samples) const {
    return std::max(minimumLimit, 4.0 * double(samples) / Wav::sampleRate);
}

QStringList Speakers::arguments(const QString& wav, std::optional<int> count) const {
    QStringList args{"--segmentation.pyannote-model=" + folder + "/segmentation.onnx",
                     "--embedding.model=" + embeddingModel(), "--embedding.num-threads=4",
                     "--segmentation.num-threads=2"};
    if (count && *count >= 1)
        args << "--clustering.num-clusters=" + QString::number(*count);
    else
        args << "--clustering.cluster-threshold=0.5";
    return args << wav;
}

std::optional<QList<Speakers::Turn>> Speakers::find(Samples samples,
                                                    std::optional<int> count) const {
    if (!available() || samples.empty())
        return std::nullopt;
    // What people said goes only into a folder of our own, readable by us alone.
    const QString scratch = Paths::dataFile("tmp");
    Paths::makePrivateFolder(scratch);
    QTemporaryFile wav(scratch + "/voxmere-speakers-XXXXXX.wav");
    if (!wav.open() || !write(samples, wav.fileName()))
        return std::nullopt;
    wav.close();

    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString libs = env.value("LD_LIBRARY_PATH");
    env.insert("LD_LIBRARY_PATH", folder + "/lib" + (libs.isEmpty() ? "" : ":" + libs));
    tool.setProcessEnvironment(env);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(this->tool(), arguments(wav.fileName(), count));
    if (!tool.waitForStarted())
        return std::nullopt;
    const double limit = timeLimit(qsizetype(samples.size()));
    if (!tool.waitForFinished(int(limit * 1000))) {
        tool.kill();
        tool.waitForFinished();
        debugLog(QString("speakers timed out after %1 s").arg(limit));
        return std::nullopt;
    }
    const QByteArray output = tool.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(output);
    const bool failed = tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0;
    if (failed || utf8.hasError()) {
        debugLog("speakers failed status=" + QString::number(tool.exitCode()));
        return std::nullopt;
    }
    return parse(text);
}

QList<Speakers::Turn> Speakers::parse(const QString& output) {
    QList<Turn> turns;
    QHash<QString, int> label;
    for (const QString& line : output.split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        if (f.size() != 4 || f[1] != "--" || !f[3].startsWith("speaker_"))
            continue;
        bool okStart = false, okEnd = false;
        const double start = f[0].toDouble(&okStart);
        const double end = f[2].toDouble(&okEnd);
        // Times that can't be a stretch of the audio would put lines under the wrong speaker.
        if (!okStart || !okEnd || !std::isfinite(start) || !std::isfinite(end) || start < 0 ||
            start >= end)
            continue;
        if (!label.contains(f[3]))
            label.insert(f[3], int(label.size()) + 1);
        turns.append({start, end, label.value(f[3])});
    }
    return numbered(turns);
}

float Speakers::sameVoice(double seconds) {
    return seconds >= 45 ? 0.78f : 0.6f;
}

QList<Speakers::Turn> Speakers::merge(const QList<Turn>& turns, Samples samples,
                                      const PrintOf& printOf) {
    Groups groups;
    for (const auto& t : turns)
        groups[t.speaker].turns.append(t);
    if (groups.size() < 2)
        return turns;
    bool anyPrint = false;
    for (auto& [k, g] : groups) {
        QList<VoicePrint::Range> ranges;
        for (const auto& t : g.turns)
            ranges.append({t.start, t.end});
        g.print = printOf(VoicePrint::audio(samples, ranges, 30));
        anyPrint = anyPrint || g.print.has_value();
    }
    if (!anyPrint)
        return turns;
    foldUnprintable(groups);
    while (groups.size() >= 2 && mergeBestPair(groups)) {
    }
    foldShort(groups);
    QList<Turn> all;
    for (const auto& [k, g] : groups)
        all.append(g.turns);
    return numbered(all);
}
