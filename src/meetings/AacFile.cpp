#include "meetings/AacFile.h"
#include "meetings/AudioDecoder.h"
#include "meetings/LibavHandles.h"

#include <QFile>

namespace {
using namespace LibavHandles;

constexpr int rate = 16000;
constexpr int bitRate = 32000;
constexpr qint64 block = 10 * rate;

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
    return AudioDecoder::decode(path, AudioDecoder::Input::callAudio);
}

} // namespace AacFile
