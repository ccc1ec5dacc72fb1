#include "meetings/VoicePrint.h"

#include "core/DebugLog.h"
#include "core/Wav.h"

#include <QProcess>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr qsizetype shortest = 2 * Wav::sampleRate;
constexpr qsizetype whole = 12 * Wav::sampleRate;
constexpr qsizetype window = 8 * Wav::sampleRate;
constexpr qsizetype tail = 3 * Wav::sampleRate;

// As the library's C header declares it.
struct ExtractorConfig {
    const char* model;
    int32_t num_threads;
    int32_t debug;
    const char* provider;
};

using Create = const void* (*)(const ExtractorConfig*);
using Stream = const void* (*)(const void*);
using Accept = void (*)(const void*, int32_t, const float*, int32_t);
using Finish = void (*)(const void*);
using Ready = int32_t (*)(const void*, const void*);
using Compute = const float* (*)(const void*, const void*);
using Dim = int32_t (*)(const void*);
using Free = void (*)(const float*);
using FreeStream = void (*)(const void*);

template <typename F> F symbol(void* handle, const char* name) {
    return reinterpret_cast<F>(dlsym(handle, name));
}
} // namespace

// The opened library: never closed, since the extractor lives for the whole process.
struct VoicePrint::Library {
    Create create = nullptr;
    Stream fStream = nullptr;
    Accept fAccept = nullptr;
    Finish fFinish = nullptr;
    Ready fReady = nullptr;
    Compute fCompute = nullptr;
    Dim fDim = nullptr;
    Free fFree = nullptr;
    FreeStream fFreeStream = nullptr;
    const void* ext = nullptr;

    static std::unique_ptr<Library> open(const QString& path) {
        void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            debugLog("voiceprint: can't open library");
            return nullptr;
        }
        auto lib = std::make_unique<Library>();
        lib->create = symbol<Create>(handle, "SherpaOnnxCreateSpeakerEmbeddingExtractor");
        lib->fStream = symbol<Stream>(handle, "SherpaOnnxSpeakerEmbeddingExtractorCreateStream");
        lib->fAccept = symbol<Accept>(handle, "SherpaOnnxOnlineStreamAcceptWaveform");
        lib->fFinish = symbol<Finish>(handle, "SherpaOnnxOnlineStreamInputFinished");
        lib->fReady = symbol<Ready>(handle, "SherpaOnnxSpeakerEmbeddingExtractorIsReady");
        lib->fCompute =
            symbol<Compute>(handle, "SherpaOnnxSpeakerEmbeddingExtractorComputeEmbedding");
        lib->fDim = symbol<Dim>(handle, "SherpaOnnxSpeakerEmbeddingExtractorDim");
        lib->fFree = symbol<Free>(handle, "SherpaOnnxSpeakerEmbeddingExtractorDestroyEmbedding");
        lib->fFreeStream = symbol<FreeStream>(handle, "SherpaOnnxDestroyOnlineStream");
        if (!lib->create || !lib->fStream || !lib->fAccept || !lib->fFinish || !lib->fReady ||
            !lib->fCompute || !lib->fDim || !lib->fFree || !lib->fFreeStream) {
            debugLog("voiceprint: missing functions");
            return nullptr;
        }
        return lib;
    }

    bool createExtractor(const QString& model) {
        const QByteArray path = model.toLocal8Bit();
        const QByteArray cpu = "cpu";
        const ExtractorConfig config{path.constData(), 2, 0, cpu.constData()};
        ext = create(&config);
        return ext != nullptr;
    }
};

VoicePrint::VoicePrint(QString library, QString model, Probe probe)
    : libraryPath(std::move(library)), modelPath(std::move(model)), probe(std::move(probe)) {}

VoicePrint::~VoicePrint() = default;

bool VoicePrint::load() {
    if (tried)
        return lib && lib->ext;
    tried = true;
    auto opened = Library::open(libraryPath);
    if (!opened)
        return false;
    if ((probe && !probe(libraryPath, modelPath)) || !opened->createExtractor(modelPath)) {
        debugLog("voiceprint: model failed to load");
        return false;
    }
    lib = std::move(opened);
    return true;
}

std::optional<VoicePrint::Print> VoicePrint::one(Samples samples) {
    if (!load())
        return std::nullopt;
    const void* stream = lib->fStream(lib->ext);
    if (!stream)
        return std::nullopt;
    std::vector<float> floats(samples.size());
    std::transform(samples.begin(), samples.end(), floats.begin(),
                   [](int16_t s) { return float(s) / 32768.0f; });
    lib->fAccept(stream, Wav::sampleRate, floats.data(), int32_t(floats.size()));
    lib->fFinish(stream);
    std::optional<Print> result;
    if (lib->fReady(lib->ext, stream))
        if (const float* e = lib->fCompute(lib->ext, stream)) {
            result = unit(Print(e, e + lib->fDim(lib->ext)));
            lib->fFree(e);
        }
    lib->fFreeStream(stream);
    return result;
}

std::optional<VoicePrint::Print> VoicePrint::of(Samples samples) {
    const auto count = qsizetype(samples.size());
    if (count < shortest)
        return std::nullopt;
    std::optional<Print> sum;
    q.sync([&] {
        for (const auto& [begin, end] : windows(count)) {
            const auto print = one(samples.subspan(begin, end - begin));
            if (!print)
                continue;
            if (!sum)
                sum = Print(print->size(), 0.0f);
            for (size_t i = 0; i < std::min(sum->size(), print->size()); ++i)
                (*sum)[i] += (*print)[i];
        }
    });
    if (sum)
        sum = unit(std::move(*sum));
    return sum;
}

QList<std::pair<qsizetype, qsizetype>> VoicePrint::windows(qsizetype count) {
    if (count < shortest)
        return {};
    if (count <= whole)
        return {{0, count}};
    QList<std::pair<qsizetype, qsizetype>> out;
    for (qsizetype begin = 0; begin < count; begin += window) {
        const qsizetype end = std::min(count, begin + window);
        if (end - begin >= shortest)
            out.append({begin, end});
        if (count - end < tail)
            break;
    }
    return out;
}

std::vector<int16_t> VoicePrint::audio(Samples samples, QList<Range> ranges, double limit) {
    std::stable_sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) {
        return a.second - a.first > b.second - b.first;
    });
    const auto total = qsizetype(samples.size());
    std::vector<int16_t> out;
    for (const auto& [start, end] : ranges) {
        // Counted in samples: a turn from 2.3 s to 3.3 s is a whole second, though its times
        // differ by a hair less in floating point.
        const auto first = qsizetype(std::llround(start * Wav::sampleRate));
        const auto last = qsizetype(std::llround(end * Wav::sampleRate));
        if (last - first < Wav::sampleRate)
            continue;
        const qsizetype from = std::max<qsizetype>(0, first);
        const qsizetype to = std::min<qsizetype>(total, last);
        if (from < to)
            out.insert(out.end(), samples.begin() + from, samples.begin() + to);
        if (double(out.size()) / Wav::sampleRate >= limit)
            break;
    }
    return out;
}

float VoicePrint::similarity(const Print& a, const Print& b) {
    if (a.size() != b.size())
        return -1;
    float sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += a[i] * b[i];
    return sum;
}

VoicePrint::Print VoicePrint::unit(Print v) {
    double squares = 0;
    for (float x : v)
        squares += double(x) * x;
    if (v.empty() || !(squares > 0))
        return v;
    const double norm = std::sqrt(squares);
    for (float& x : v)
        x = float(x / norm);
    return v;
}

int VoicePrint::loadCheck(const QString& library, const QString& model) {
    // Some models load and only fail once used, so the check makes one print as well.
    VoicePrint prints(library, model, {});
    std::vector<int16_t> tone(shortest);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(8000 * std::sin(double(i) * 0.05));
    return prints.of(tone) ? 0 : 1;
}

VoicePrint::Probe VoicePrint::childCheck(QString program) {
    return [program = std::move(program)](const QString& library, const QString& model) {
        QProcess check;
        check.setStandardOutputFile(QProcess::nullDevice());
        check.setStandardErrorFile(QProcess::nullDevice());
        check.start(program, {checkFlag, library, model});
        if (!check.waitForFinished(60000)) {
            check.kill();
            check.waitForFinished();
            return false;
        }
        return check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0;
    };
}
