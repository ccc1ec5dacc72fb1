#include "core/Scheduler.h"

#include "core/Dispatch.h"

namespace {
class MainScheduler : public Scheduler {
  public:
    void after(double seconds, std::function<void()> work) override {
        onMain(seconds, std::move(work));
    }
};

class GlobalScheduler : public Scheduler {
  public:
    void after(double seconds, std::function<void()> work) override {
        onGlobal(seconds, std::move(work));
    }
};
} // namespace

Scheduler& Scheduler::main() {
    static MainScheduler scheduler;
    return scheduler;
}

Scheduler& Scheduler::global() {
    static GlobalScheduler scheduler;
    return scheduler;
}
