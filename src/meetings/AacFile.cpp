#include "meetings/AacFile.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace {
constexpr int rate = 16000;
constexpr int bitRate = 32000;
constexpr qint64 block = 10 * rate;

struct FormatOut {
    AVFormatContext* f = nullptr;
    ~FormatOut() {
        if (f && f->pb)
            avio_closep(&f->pb);
        avformat_free_context(f);
    }
};
struct FormatIn {
    AVFormatContext* f = nullptr;
    ~FormatIn() { avformat_close_input(&f); }
};
struct Codec {
    AVCodecContext* c = nullptr;
    ~Codec() { avcodec_free_context(&c); }
};
struct Resampler {
    SwrContext* s = nullptr;
    ~Resampler() { swr_free(&s); }
};
struct Frame {
    AVFrame* f = av_frame_alloc();
    ~Frame() { av_frame_free(&f); }
};
struct Packet {
    AVPacket* p = av_packet_alloc();
    ~Packet() { av_packet_free(&p); }
};

// Damaged files are answered with false or nothing; the library needn't also print them.
void quiet() {
    av_log_set_level(AV_LOG_FATAL);
}

bool openEncoder(Codec& codec, const AVFormatContext* f) {
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    codec.c = aac ? avcodec_alloc_context3(aac) : nullptr;
    if (!codec.c)
        return false;
    AVCodecContext* c = codec.c;
    c->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c->sample_rate = rate;
    c->bit_rate = bitRate;
    c->time_base = {1, rate};
    av_channel_layout_default(&c->ch_layout, 1);
    if (f->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    return avcodec_open2(c, aac, nullptr) >= 0;
}

// Opens the container under a name with no known extension, so the muxer is named.
bool openOutput(FormatOut& out, Codec& codec, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (avformat_alloc_output_context2(&out.f, nullptr, "ipod", name.constData()) < 0 ||
        !openEncoder(codec, out.f))
        return false;
    AVStream* st = avformat_new_stream(out.f, nullptr);
    if (!st || avcodec_parameters_from_context(st->codecpar, codec.c) < 0)
        return false;
    st->time_base = codec.c->time_base;
    if (avio_open(&out.f->pb, name.constData(), AVIO_FLAG_WRITE) < 0)
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return avformat_write_header(out.f, nullptr) >= 0;
}

bool drain(AVFormatContext* f, AVCodecContext* c) {
    Packet pkt;
    while (true) {
        const int got = avcodec_receive_packet(c, pkt.p);
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0)
            return false;
        av_packet_rescale_ts(pkt.p, c->time_base, f->streams[0]->time_base);
        pkt.p->stream_index = 0;
        if (av_interleaved_write_frame(f, pkt.p) < 0)
            return false;
    }
}

bool sendFrame(AVFormatContext* f, AVCodecContext* c, const int16_t* samples, int n,
               qint64 pts) {
    Frame frame;
    frame.f->nb_samples = n;
    frame.f->format = c->sample_fmt;
    frame.f->sample_rate = rate;
    frame.f->pts = pts;
    if (av_channel_layout_copy(&frame.f->ch_layout, &c->ch_layout) < 0 ||
        av_frame_get_buffer(frame.f, 0) < 0)
        return false;
    auto* out = reinterpret_cast<float*>(frame.f->data[0]);
    for (int i = 0; i < n; ++i)
        out[i] = float(samples[i]) / 32768.0f;
    return avcodec_send_frame(c, frame.f) >= 0 && drain(f, c);
}

bool encodeAll(const AacFile::Source& source, AVFormatContext* f, AVCodecContext* c) {
    const int frameSize = c->frame_size > 0 ? c->frame_size : 1024;
    std::vector<int16_t> pending;
    std::vector<int16_t> buffer(static_cast<size_t>(block));
    qint64 pts = 0;
    for (qint64 n; (n = source(buffer)) != 0;) {
        if (n < 0)
            return false;
        pending.insert(pending.end(), buffer.begin(), buffer.begin() + n);
        size_t used = 0;
        for (; pending.size() - used >= size_t(frameSize); used += size_t(frameSize), pts += frameSize)
            if (!sendFrame(f, c, pending.data() + used, frameSize, pts))
                return false;
        pending.erase(pending.begin(), pending.begin() + qsizetype(used));
    }
    if (!pending.empty() && !sendFrame(f, c, pending.data(), int(pending.size()), pts))
        return false;
    return avcodec_send_frame(c, nullptr) >= 0 && drain(f, c);
}
int openDecoder(Codec& codec, Resampler& swr, AVFormatContext* f) {
    const AVCodec* decoder = nullptr;
    const int index = av_find_best_stream(f, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (index < 0 || !decoder || f->streams[index]->codecpar->sample_rate != rate)
        return -1;
    codec.c = avcodec_alloc_context3(decoder);
    if (!codec.c || avcodec_parameters_to_context(codec.c, f->streams[index]->codecpar) < 0 ||
        avcodec_open2(codec.c, decoder, nullptr) < 0)
        return -1;
    AVChannelLayout mono;
    av_channel_layout_default(&mono, 1);
    if (swr_alloc_set_opts2(&swr.s, &mono, AV_SAMPLE_FMT_S16, rate, &codec.c->ch_layout,
                            codec.c->sample_fmt, codec.c->sample_rate, 0, nullptr) < 0 ||
        swr_init(swr.s) < 0)
        return -1;
    return index;
}

bool receiveFrames(AVCodecContext* c, SwrContext* swr, std::vector<int16_t>& samples) {
    Frame frame;
    while (true) {
        const int got = avcodec_receive_frame(c, frame.f);
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0)
            return false;
        const size_t at = samples.size();
        samples.resize(at + size_t(frame.f->nb_samples));
        auto* out = reinterpret_cast<uint8_t*>(samples.data() + at);
        const int n = swr_convert(swr, &out, frame.f->nb_samples,
                                  const_cast<const uint8_t**>(frame.f->extended_data),
                                  frame.f->nb_samples);
        if (n < 0)
            return false;
        samples.resize(at + size_t(n));
    }
}

bool decodeAll(AVFormatContext* f, int index, AVCodecContext* c, SwrContext* swr,
               std::vector<int16_t>& samples) {
    Packet pkt;
    int read = 0;
    while ((read = av_read_frame(f, pkt.p)) >= 0) {
        const bool ours = pkt.p->stream_index == index;
        const bool ok = !ours || (avcodec_send_packet(c, pkt.p) >= 0 &&
                                  receiveFrames(c, swr, samples));
        av_packet_unref(pkt.p);
        if (!ok)
            return false;
    }
    return read == AVERROR_EOF && avcodec_send_packet(c, nullptr) >= 0 &&
           receiveFrames(c, swr, samples);
}
} // namespace

namespace AacFile {

bool encode(const Source& source, const QString& path) {
    quiet();
    FormatOut out;
    Codec codec;
    if (!openOutput(out, codec, path) || !encodeAll(source, out.f, codec.c) ||
        av_write_trailer(out.f) < 0)
        return false;
    // Closing doesn't report a failed last flush (a full disk): ask before it.
    avio_flush(out.f->pb);
    const bool flushed = out.f->pb->error >= 0;
    return avio_closep(&out.f->pb) >= 0 && flushed;
}

std::optional<std::vector<int16_t>> decode(const QString& path) {
    quiet();
    FormatIn in;
    Codec codec;
    Resampler swr;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&in.f, name.constData(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(in.f, nullptr) < 0)
        return std::nullopt;
    const int index = openDecoder(codec, swr, in.f);
    if (index < 0)
        return std::nullopt;
    std::vector<int16_t> samples;
    if (!decodeAll(in.f, index, codec.c, swr.s, samples))
        return std::nullopt;
    // The last frame is whole on decoding; the stream's duration says where the audio ended.
    const AVStream* st = in.f->streams[index];
    if (st->duration > 0) {
        const qint64 total = av_rescale_q(st->duration, st->time_base, {1, rate});
        if (total < qint64(samples.size()))
            samples.resize(size_t(total));
    }
    return samples;
}

} // namespace AacFile
