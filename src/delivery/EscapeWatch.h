#pragma once

#include <functional>

// Tells when Escape is pressed anywhere on the desktop, between `start` and `stop`.
class EscapeWatch {
  public:
    virtual ~EscapeWatch() = default;
    virtual void start(std::function<void()> onEscape) = 0;
    virtual void stop() = 0;
};
