#include "meetings/AudioDecoder.h"
#include "meetings/LibavHandles.h"

#include <QFile>

#include <algorithm>

namespace {
using namespace LibavHandles;
using Samples = std::vector<int16_t>;

constexpr int rate = 16000;

// Converts to interleaved 16-bit at 16 kHz in the file's own channels; `keep` then takes the
// first of them.
int openDecoder(Codec& codec, Resampler& swr, AVFormatContext* f, AudioDecoder::Input input) {
    const AVCodec* decoder = nullptr;
    const int index = av_find_best_stream(f, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    const bool rateRefused = input == AudioDecoder::Input::callAudio &&
                             index >= 0 && f->streams[index]->codecpar->sample_rate != rate;
    if (index < 0 || !decoder || rateRefused)
        return -1;
    codec.c = avcodec_alloc_context3(decoder);
    if (!codec.c || avcodec_parameters_to_context(codec.c, f->streams[index]->codecpar) < 0 ||
        avcodec_open2(codec.c, decoder, nullptr) < 0)
        return -1;
    if (swr_alloc_set_opts2(&swr.s, &codec.c->ch_layout, AV_SAMPLE_FMT_S16, rate,
                            &codec.c->ch_layout, codec.c->sample_fmt, codec.c->sample_rate, 0,
                            nullptr) < 0 ||
        swr_init(swr.s) < 0)
        return -1;
    return index;
}

// Resamples one frame (or, with none, what the resampler still holds) and keeps the first
// channel. False on a conversion error.
bool convert(SwrContext* swr, int channels, const AVFrame* in, Samples& samples) {
    const int room = swr_get_out_samples(swr, in ? in->nb_samples : 0);
    if (room <= 0)
        return room == 0;
    Samples interleaved(size_t(room) * size_t(channels));
    auto* out = reinterpret_cast<uint8_t*>(interleaved.data());
    const int made = swr_convert(swr, &out, room,
                                 in ? const_cast<const uint8_t**>(in->extended_data) : nullptr,
                                 in ? in->nb_samples : 0);
    if (made < 0)
        return false;
    for (int i = 0; i < made; ++i)
        samples.push_back(interleaved[size_t(i) * size_t(channels)]);
    return true;
}

bool receiveFrames(AVCodecContext* c, SwrContext* swr, Samples& samples) {
    Frame frame;
    while (true) {
        const int got = avcodec_receive_frame(c, frame.f);
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return true;
        if (got < 0 || !convert(swr, c->ch_layout.nb_channels, frame.f, samples))
            return false;
    }
}

bool decodeAll(AVFormatContext* f, int index, AVCodecContext* c, SwrContext* swr,
               Samples& samples) {
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
           receiveFrames(c, swr, samples) &&
           convert(swr, c->ch_layout.nb_channels, nullptr, samples);
}

// The last frame is whole on decoding; the stream's duration says where the audio ended.
void cutPadding(const AVStream* stream, Samples& samples) {
    if (stream->duration <= 0)
        return;
    const qint64 total = av_rescale_q(stream->duration, stream->time_base, {1, rate});
    if (total < qint64(samples.size()))
        samples.resize(size_t(total));
}
} // namespace

namespace AudioDecoder {

std::optional<std::vector<int16_t>> decode(const QString& path, Input input) {
    quiet();
    FormatIn in;
    Codec codec;
    Resampler swr;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&in.f, name.constData(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(in.f, nullptr) < 0)
        return std::nullopt;
    const int index = openDecoder(codec, swr, in.f, input);
    if (index < 0)
        return std::nullopt;
    Samples samples;
    if (!decodeAll(in.f, index, codec.c, swr.s, samples))
        return std::nullopt;
    if (input == Input::callAudio)
        cutPadding(in.f->streams[index], samples);
    return samples;
}

} // namespace AudioDecoder
