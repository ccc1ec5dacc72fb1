#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

// Runs work later. `main()` runs it on the GUI thread, `global()` on the shared thread pool;
// tests pass a manual scheduler that fires when they advance time.
class Scheduler {
  public:
    virtual ~Scheduler() = default;
    virtual void after(double seconds, std::function<void()> work) = 0;
    // Work for `receiver`, dropped if the receiver is destroyed before it is due; the QPointer is
    // taken as for `onMain`. Only for a scheduler that runs work on the receiver's own thread,
    // where that check can't race the destruction.
    void after(QPointer<QObject> receiver, double seconds, std::function<void()> work);
    static Scheduler& main();
    static Scheduler& global();
};
