#pragma once

#include <functional>

// Runs work later. `main()` runs it on the GUI thread, `global()` on the shared thread pool;
// tests pass a manual scheduler that fires when they advance time.
class Scheduler {
  public:
    virtual ~Scheduler() = default;
    virtual void after(double seconds, std::function<void()> work) = 0;
    static Scheduler& main();
    static Scheduler& global();
};
