#include "platform/PulseRecordStream.h"

PulseRecordStream::PulseRecordStream(PulseContext& context) : ctx(context) {}

PulseRecordStream::~PulseRecordStream() {
    close();
}

int PulseRecordStream::open(const QString& source, const pa_sample_spec& format,
                            double fragmentSeconds, const QString& streamName,
                            pa_stream_flags_t flags) {
    PulseContext::Lock lock(ctx);
    closeLocked();
    if (!ctx.connect())
        return PA_ERR_CONNECTIONREFUSED;
    s = pa_stream_new(ctx.context(), streamName.toUtf8().constData(), &format, nullptr);
    if (!s)
        return pa_context_errno(ctx.context());
    pa_stream_set_state_callback(s, &PulseRecordStream::onState, this);
    pa_stream_set_read_callback(s, &PulseRecordStream::onRead, this);

    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = attr.prebuf = attr.minreq = uint32_t(-1);
    attr.fragsize =
        uint32_t(pa_usec_to_bytes(pa_usec_t(fragmentSeconds * PA_USEC_PER_SEC), &format));
    // Without latency adjustment the server hands data over in lumps of seconds.
    const QByteArray device = source.toUtf8();
    if (pa_stream_connect_record(s, source.isEmpty() ? nullptr : device.constData(), &attr,
                                 pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | flags)) < 0) {
        const int error = pa_context_errno(ctx.context());
        closeLocked();
        return error;
    }
    ctx.waitUntil([this] {
        const pa_stream_state_t state = pa_stream_get_state(s);
        return state != PA_STREAM_CREATING && state != PA_STREAM_UNCONNECTED;
    });
    if (pa_stream_get_state(s) != PA_STREAM_READY) {
        const int error = pa_context_errno(ctx.context());
        closeLocked();
        return error ? error : PA_ERR_TIMEOUT;
    }
    open_ = true;
    return 0;
}

void PulseRecordStream::close() {
    PulseContext::Lock lock(ctx);
    closeLocked();
}

void PulseRecordStream::closeLocked() {
    open_ = false;
    if (!s)
        return;
    pa_stream_set_state_callback(s, nullptr, nullptr);
    pa_stream_set_read_callback(s, nullptr, nullptr);
    if (pa_stream_get_state(s) == PA_STREAM_READY)
        pa_stream_disconnect(s);
    pa_stream_unref(s);
    s = nullptr;
}

void PulseRecordStream::onState(pa_stream* stream, void* self) {
    auto* me = static_cast<PulseRecordStream*>(self);
    const pa_stream_state_t state = pa_stream_get_state(stream);
    const bool died = me->open_ && (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED);
    if (died) {
        me->open_ = false;
        if (me->onFailed)
            me->onFailed();
    }
    me->ctx.signal();
}

void PulseRecordStream::onRead(pa_stream* stream, size_t, void* self) {
    auto* me = static_cast<PulseRecordStream*>(self);
    while (pa_stream_readable_size(stream) > 0) {
        const void* data = nullptr;
        size_t bytes = 0;
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
            return;
        // A hole (no data but a length) is a gap in the recording: drop it.
        if (data && me->onData)
            me->onData(data, bytes);
        pa_stream_drop(stream);
    }
}
