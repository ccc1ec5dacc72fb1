// Stands in for the sherpa-onnx diarization program: takes its arguments, reads the WAV file
// and prints one turn line per stretch of voiced audio, telling a low voice from a high one by
// its pitch. Log lines go around the turns as the real program's do.
#include <QCoreApplication>
#include <QFile>
#include <QtEndian>

#include "support/Pitch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
constexpr int rate = 16000;
constexpr int frame = rate / 4;

QString value(const QStringList& args, const QString& name) {
    for (const QString& a : args)
        if (a.startsWith(name + "="))
            return a.mid(name.size() + 1);
    return {};
}

std::vector<int16_t> samples(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll().mid(44);
    std::vector<int16_t> out(size_t(bytes.size() / 2));
    qFromLittleEndian<int16_t>(bytes.constData(), qsizetype(out.size()), out.data());
    return out;
}

// 0 for silence, 1 for a low voice, 2 for a high one; a hiss without a pitch belongs to whoever
// is speaking, as a consonant does (`current`).
int classify(const int16_t* s, int n, int clusters, int current) {
    double energy = 0;
    for (int i = 0; i < n; ++i)
        energy += double(s[i]) * s[i];
    if (std::sqrt(energy / n) < 300)
        return 0;
    if (clusters == 1)
        return 1;
    // A slice is enough for the pitch, and keeps an hour of audio quick.
    const double hz = pitch(s, std::min(n, 800), rate);
    return hz == 0 ? current : hz < 140 ? 1 : 2;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 6 || value(args, "--embedding.model").isEmpty() ||
        value(args, "--segmentation.pyannote-model").isEmpty()) {
        std::fprintf(stderr, "usage: wrong arguments\n");
        return 2;
    }
    const int clusters = value(args, "--clustering.num-clusters").toInt();
    const std::vector<int16_t> audio = samples(args.last());
    std::printf("Started\n\n");
    int current = 0;
    double from = 0;
    auto close = [&](double at) {
        if (current)
            std::printf("%.3f -- %.3f speaker_%02d\n", from, at, current - 1);
    };
    for (size_t at = 0; at + frame <= audio.size(); at += frame) {
        const int kind = classify(audio.data() + at, frame, clusters, current);
        if (kind == current)
            continue;
        close(double(at) / rate);
        current = kind;
        from = double(at) / rate;
    }
    close(double(audio.size() / frame * frame) / rate);
    std::printf("Elapsed seconds: 0.1\n");
    return 0;
}
