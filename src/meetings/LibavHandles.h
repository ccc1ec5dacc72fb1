#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

// Owners of FFmpeg's objects, so every early return of the encoder and the decoder frees them.
namespace LibavHandles {

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
inline void quiet() {
    av_log_set_level(AV_LOG_FATAL);
}

} // namespace LibavHandles
