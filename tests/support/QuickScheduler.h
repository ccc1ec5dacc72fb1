#pragma once

#include "core/Dispatch.h"
#include "core/Scheduler.h"

// The production retry delays on the shared pool, shortened so a run of retries against a real
// engine takes a second or two.
class QuickScheduler : public Scheduler {
  public:
    void after(double seconds, std::function<void()> work) override {
        onGlobal(seconds * 0.3, std::move(work));
    }
};
