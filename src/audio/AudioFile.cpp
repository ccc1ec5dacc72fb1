#include "audio/AudioFile.h"

#include "core/DebugLog.h"

#include <QFile>
#include <QtEndian>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace {

constexpr int rate = 16000;

struct Format {
    quint16 tag = 0, channels = 0, bits = 0;
    quint32 rate = 0;
};

// Only the plain case: 16 kHz 16-bit PCM. Other WAVs still decode, through libav.
std::optional<std::vector<int16_t>> readPlainWav(const QByteArray& bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Format format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char* body = bytes.constData() + at + 8;
        const qint64 available = std::min<qint64>(size, bytes.size() - at - 8);
        if (id == "fmt " && available >= 16) {
            format = {qFromLittleEndian<quint16>(body), qFromLittleEndian<quint16>(body + 2),
                      qFromLittleEndian<quint16>(body + 14), qFromLittleEndian<quint32>(body + 4)};
        } else if (id == "data") {
            if (format.tag != 1 || format.bits != 16 || format.rate != rate || !format.channels)
                return std::nullopt;
            const qint64 frames = available / (2 * format.channels);
            std::vector<int16_t> samples(static_cast<size_t>(frames));
            for (qint64 i = 0; i < frames; ++i)
                samples[size_t(i)] = qFromLittleEndian<int16_t>(body + 2 * i * format.channels);
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

struct Decoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwrContext* swr = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int stream = -1;
    std::vector<int16_t> samples;

    ~Decoder() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        swr_free(&swr);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }

    bool open(const QString& path) {
        av_log_set_level(AV_LOG_ERROR);
        if (avformat_open_input(&format, QFile::encodeName(path).constData(), nullptr,
                                nullptr) < 0 ||
            avformat_find_stream_info(format, nullptr) < 0)
            return false;
        const AVCodec* decoder = nullptr;
        stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream < 0 || !decoder || !(codec = avcodec_alloc_context3(decoder)) ||
            avcodec_parameters_to_context(codec, format->streams[stream]->codecpar) < 0 ||
            avcodec_open2(codec, decoder, nullptr) < 0)
            return false;
        // Interleaved at 16 kHz with the file's own channels; the first is kept.
        return swr_alloc_set_opts2(&swr, &codec->ch_layout, AV_SAMPLE_FMT_S16, rate,
                                   &codec->ch_layout, codec->sample_fmt, codec->sample_rate, 0,
                                   nullptr) == 0 &&
               swr_init(swr) == 0;
    }

    void convert(const AVFrame* in) {
        const int channels = codec->ch_layout.nb_channels;
        const int room = swr_get_out_samples(swr, in ? in->nb_samples : 0);
        if (room <= 0)
            return;
        std::vector<int16_t> out(size_t(room) * size_t(channels));
        auto* target = reinterpret_cast<uint8_t*>(out.data());
        const int made = swr_convert(swr, &target, room, in ? const_cast<const uint8_t**>(in->extended_data) : nullptr,
                                     in ? in->nb_samples : 0);
        for (int i = 0; i < made; ++i)
            samples.push_back(out[size_t(i) * size_t(channels)]);
    }

    void drain() {
        while (avcodec_receive_frame(codec, frame) == 0) {
            convert(frame);
            av_frame_unref(frame);
        }
    }

    std::vector<int16_t> decode() {
        while (av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == stream && avcodec_send_packet(codec, packet) == 0)
                drain();
            av_packet_unref(packet);
        }
        avcodec_send_packet(codec, nullptr);
        drain();
        convert(nullptr);
        return std::move(samples);
    }
};

} // namespace

namespace AudioFile {

std::optional<std::vector<int16_t>> read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (auto plain = readPlainWav(file.readAll()))
        return plain;
    Decoder decoder;
    if (!decoder.open(path))
        return std::nullopt;
    return decoder.decode();
}

} // namespace AudioFile
