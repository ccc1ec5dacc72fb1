#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

// What the computer plays, captured as 16 kHz mono chunks for the far side of a call. One object
// per capture attempt: started once, stopped once.
class AudioTap {
  public:
    using OnSamples = std::function<void(std::span<const int16_t>)>;

    virtual ~AudioTap() = default;
    // True once chunks flow; on failure nothing is left running.
    virtual bool start() = 0;
    // No chunk is delivered after this returns. Harmless at any time, also twice.
    virtual void stop() = 0;
    // The output device it was started on.
    virtual QString outputUID() const = 0;
    // The capture died after it started (its output device went away).
    virtual bool failed() const = 0;

    // Set before `start`: called once, on a capture thread, when a started capture dies, so a
    // new one can be started at once rather than at the next check.
    std::function<void()> onFailed;
};
