#include "platform/PulsePlayback.h"

#include "platform/PulseOperation.h"

namespace {
// Lives from connection until the server has played every sample or the stream died.
struct Sound {
    pa_stream* stream;
    std::vector<int16_t> samples;
};

void finish(Sound* sound) {
    pa_stream_set_state_callback(sound->stream, nullptr, nullptr);
    if (pa_stream_get_state(sound->stream) == PA_STREAM_READY)
        pa_stream_disconnect(sound->stream);
    pa_stream_unref(sound->stream);
    delete sound;
}

void onDrained(pa_stream*, int, void* data) {
    finish(static_cast<Sound*>(data));
}

// A dying stream cancels its pending drain, so `finish` runs exactly once.
void onState(pa_stream* stream, void* data) {
    auto* sound = static_cast<Sound*>(data);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        pa_stream_write(stream, sound->samples.data(), sound->samples.size() * sizeof(int16_t),
                        nullptr, 0, PA_SEEK_RELATIVE);
        // The drain's callback ends the sound; nothing here waits for it.
        PulseOperation(pa_stream_drain(stream, onDrained, sound));
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        finish(sound);
        break;
    default:
        break;
    }
}
} // namespace

namespace PulsePlayback {

bool play(PulseContext& context, std::span<const int16_t> samples, uint32_t rate,
          const QString& streamName) {
    PulseContext::Lock lock(context);
    if (samples.empty() || !context.connect())
        return false;
    const pa_sample_spec format{PA_SAMPLE_S16LE, rate, 1};
    pa_stream* stream =
        pa_stream_new(context.context(), streamName.toUtf8().constData(), &format, nullptr);
    if (!stream)
        return false;
    auto* sound = new Sound{stream, {samples.begin(), samples.end()}};
    pa_stream_set_state_callback(stream, onState, sound);
    // By default the server buffers seconds and waits for a full buffer before it plays: a
    // short sound asks for a buffer of its own length and starts as soon as it is all there.
    const auto bytes = uint32_t(samples.size() * sizeof(int16_t));
    pa_buffer_attr attr;
    attr.maxlength = attr.minreq = attr.fragsize = uint32_t(-1);
    attr.tlength = attr.prebuf = bytes;
    if (pa_stream_connect_playback(stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        finish(sound);
        return false;
    }
    return true;
}

} // namespace PulsePlayback
