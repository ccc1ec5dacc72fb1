#pragma once

#include "delivery/EscapeWatch.h"

#include <functional>

// An Escape key the test presses by hand.
class FakeEscapeWatch : public EscapeWatch {
  public:
    void start(std::function<void()> onEscape) override { callback = std::move(onEscape); }
    void stop() override { callback = nullptr; }
    bool watching() const { return bool(callback); }
    void press() {
        if (callback)
            callback();
    }
    std::function<void()> callback;
};
