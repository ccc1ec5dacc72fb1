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

void Scheduler::after(QPointer<QObject> receiver, double seconds, std::function<void()> work) {
    after(seconds, [receiver, work = std::move(work)] {
        if (receiver)
            work();
    });
}

Scheduler& Scheduler::main() {
    static MainScheduler scheduler;
    return scheduler;
}

Scheduler& Scheduler::global() {
    static GlobalScheduler scheduler;
    return scheduler;
}
