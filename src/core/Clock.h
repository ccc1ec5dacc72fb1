#pragma once

// Wall-clock time in seconds since the Unix epoch. Logic that depends on time takes a Clock so
// tests can move time by hand instead of sleeping.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    static Clock& system();
};
