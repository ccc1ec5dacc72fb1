#pragma once

#include <pulse/pulseaudio.h>

#include <utility>

// One reference to a request made of the sound server, given up with the holder. Like every
// pa_* call, use it under the loop's lock.
class PulseOperation {
  public:
    PulseOperation() = default;
    // Takes over the reference a request returned (null when the request failed).
    explicit PulseOperation(pa_operation* op) : op(op) {}
    ~PulseOperation();
    PulseOperation(PulseOperation&& other) noexcept : op(std::exchange(other.op, nullptr)) {}
    PulseOperation& operator=(PulseOperation&& other) noexcept;
    PulseOperation(const PulseOperation&) = delete;
    PulseOperation& operator=(const PulseOperation&) = delete;

    bool running() const;
    // Its callback won't run any more; the reference is given up.
    void cancel();

  private:
    pa_operation* op = nullptr;
};
