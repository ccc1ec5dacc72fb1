#pragma once

#include "core/Clock.h"
#include "core/Scheduler.h"

#include <functional>
#include <map>
#include <mutex>
#include <utility>

// Time that moves only when a test says so: `advance` runs every piece of work that falls due,
// in time order (arrival order for equal times), including work scheduled while advancing.
class ManualScheduler : public Clock, public Scheduler {
  public:
    explicit ManualScheduler(double start = 1'000'000.0) : t(start) {}

    double now() const override {
        std::lock_guard guard(lock);
        return t;
    }

    using Scheduler::after;
    void after(double seconds, std::function<void()> work) override {
        std::lock_guard guard(lock);
        pending.emplace(std::make_pair(t + std::max(0.0, seconds), arrivals++), std::move(work));
    }

    void advance(double seconds) {
        const double end = now() + seconds;
        while (true) {
            std::function<void()> work;
            {
                std::lock_guard guard(lock);
                if (pending.empty() || pending.begin()->first.first > end)
                    break;
                auto first = pending.begin();
                t = first->first.first;
                work = std::move(first->second);
                pending.erase(first);
            }
            work();
        }
        std::lock_guard guard(lock);
        t = end;
    }

    size_t waiting() const {
        std::lock_guard guard(lock);
        return pending.size();
    }

  private:
    mutable std::mutex lock;
    double t;
    std::map<std::pair<double, unsigned long long>, std::function<void()>> pending;
    unsigned long long arrivals = 0;
};
