#include "platform/PulseRecordStream.h"

#include "platform/PulseOperation.h"

#include <algorithm>
#include <utility>

namespace {
constexpr pa_usec_t drainSlack = 10 * PA_USEC_PER_MSEC;

uint32_t bytesOf(double seconds, const pa_sample_spec& format) {
    return uint32_t(pa_usec_to_bytes(pa_usec_t(seconds * PA_USEC_PER_SEC), &format));
}
} // namespace

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

    sampleFormat = format;
    attr.maxlength = uint32_t(-1);
    attr.tlength = attr.prebuf = attr.minreq = uint32_t(-1);
    attr.fragsize = bytesOf(fragmentSeconds, format);
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
    endDrain();
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
        me->endDrain();
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
    me->checkDrained();
}

bool PulseRecordStream::drain(std::function<void()> done) {
    PulseContext::Lock lock(ctx);
    if (!s || !open_)
        return false;
    endDrain(); // an earlier drain has nothing more to wait for than this one
    drained = std::move(done);
    drainTarget.reset();
    // The source otherwise keeps up to a whole fragment before it hands anything over.
    pa_buffer_attr quick = attr;
    quick.fragsize = bytesOf(drainFragmentSeconds, sampleFormat);
    PulseOperation(pa_stream_set_buffer_attr(s, &quick, nullptr, nullptr));
    // Where the source is recording now, in the stream's own byte count, comes with the answer.
    PulseOperation(pa_stream_update_timing_info(s, &PulseRecordStream::onTiming, this));
    timeval when;
    pa_timeval_add(pa_gettimeofday(&when), pa_usec_t(drainLimitSeconds * PA_USEC_PER_SEC));
    drainDeadline = ctx.api()->time_new(
        ctx.api(), &when,
        [](pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
            static_cast<PulseRecordStream*>(self)->endDrain();
        },
        this);
    return true;
}

void PulseRecordStream::onTiming(pa_stream* stream, int success, void* self) {
    auto* me = static_cast<PulseRecordStream*>(self);
    if (!me->drained)
        return;
    pa_usec_t recordedUntil = 0;
    if (!success || pa_stream_get_time(stream, &recordedUntil) < 0) {
        me->endDrain();
        return;
    }
    // The device's converters keep a few milliseconds back, which otherwise come only with the
    // source's next fragment.
    const pa_usec_t worthWaitingFor = recordedUntil - std::min(recordedUntil, drainSlack);
    me->drainTarget = int64_t(pa_usec_to_bytes(worthWaitingFor, &me->sampleFormat));
    me->checkDrained();
}

void PulseRecordStream::checkDrained() {
    if (!drained || !drainTarget)
        return;
    const pa_timing_info* timing = pa_stream_get_timing_info(s);
    // A source that rewound (a sink's monitor does when a player joins) leaves no position to
    // wait for; only monitors rewind, and they hand their audio over ahead of time anyway.
    if (!timing || timing->read_index_corrupt || timing->write_index_corrupt ||
        timing->read_index >= *drainTarget)
        endDrain();
}

void PulseRecordStream::endDrain() {
    if (drainDeadline) {
        ctx.api()->time_free(drainDeadline);
        drainDeadline = nullptr;
    }
    if (!drained)
        return;
    if (s && open_)
        PulseOperation(pa_stream_set_buffer_attr(s, &attr, nullptr, nullptr));
    drainTarget.reset();
    std::exchange(drained, nullptr)();
}
