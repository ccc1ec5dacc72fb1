#pragma once

#include "platform/PulseContext.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>

// A record stream on one source of the server, in a sample format the server converts to.
// Data and failure are reported on the loop thread with the lock held: copy the data out and
// hand it on at once. After `close` (or destruction) returns, no callback runs any more.
class PulseRecordStream {
  public:
    explicit PulseRecordStream(PulseContext& context);
    ~PulseRecordStream();
    PulseRecordStream(const PulseRecordStream&) = delete;
    PulseRecordStream& operator=(const PulseRecordStream&) = delete;

    // Set before `open`.
    std::function<void(const void* data, size_t bytes)> onData;
    // The open stream died: the server went away, or the source vanished with nowhere to move.
    std::function<void()> onFailed;

    // Without the lock: connects to `source` (empty: the server's default source), asking for
    // fragments of about `fragmentSeconds`, and waits until it records. `flags` are added to
    // the stream's own (PA_STREAM_DONT_MOVE: fail rather than follow the server elsewhere).
    // Returns 0 or a PulseAudio error code (pa_strerror gives its text).
    int open(const QString& source, const pa_sample_spec& format, double fragmentSeconds,
             const QString& streamName, pa_stream_flags_t flags = PA_STREAM_NOFLAGS);
    void close();
    bool isOpen() const { return open_; }

    // Without the lock: calls `drained`, with the lock held, once every sample
    // the source had recorded at this call has gone through `onData`, or when the stream closes
    // or dies, or after `drainLimitSeconds` at most. False when the stream is not open: then
    // `drained` never runs. Meanwhile the server hands data over in small fragments, so the
    // wait is short whatever fragment size the stream records with.
    bool drain(std::function<void()> drained);
    static constexpr double drainLimitSeconds = 0.5;
    static constexpr double drainFragmentSeconds = 0.005;

  private:
    void closeLocked();
    void checkDrained();
    void endDrain();
    static void onState(pa_stream* stream, void* self);
    static void onRead(pa_stream* stream, size_t bytes, void* self);
    static void onTiming(pa_stream* stream, int success, void* self);

    PulseContext& ctx;
    pa_stream* s = nullptr;
    std::atomic<bool> open_ = false;
    pa_sample_spec sampleFormat{};
    pa_buffer_attr attr{};
    // Loop state, under the lock: the pending drain, the byte position it waits for (known once
    // the server has told where it is recording), and its time limit.
    std::function<void()> drained;
    std::optional<int64_t> drainTarget;
    pa_time_event* drainDeadline = nullptr;
};
