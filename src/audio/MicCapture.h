#pragma once

#include "audio/MicDevice.h"

#include <QString>

#include <functional>
#include <optional>
#include <cstdint>
#include <span>
#include <vector>

// Where microphone audio comes from: a capture back end delivering 16 kHz mono signed 16-bit
// chunks (a tenth of a second or more each from the sound server). Called from the microphone's
// queue only; the callbacks run on the back end's own capture thread and must return quickly.
class MicCapture {
  public:
    virtual ~MicCapture() = default;

    // Set once before the first `start`: every captured chunk. The back end may reuse the
    // vector once the call returns.
    std::function<void(std::span<const int16_t>)> onChunk;
    // Set once before the first `start`: the default input changed, an input appeared or
    // vanished, or running capture died. Capture may have stopped.
    std::function<void()> onChange;

    // The input devices that are microphones, in the back end's order.
    virtual std::vector<MicDevice> devices() = 0;
    // Starts capturing from the device with this uid (empty: the default input). Returns the
    // error text when capture could not start.
    virtual std::optional<QString> start(const QString& uid) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
    // Calls `drained` on the capture thread once every chunk captured before this call has gone
    // through `onChunk` (or capture stopped meanwhile). False when nothing is on its way: then
    // `drained` never runs.
    virtual bool drain(std::function<void()> drained) = 0;
};
