#pragma once

#include <QString>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

// One worker thread running closures one at a time, in the order they are due: the
// "voxmere.*" queues that own a subsystem's state. Destroying the queue drops what is still
// waiting and joins the worker.
class SerialQueue {
  public:
    explicit SerialQueue(QString name);
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const QString& name() const { return label; }
    void async(std::function<void()> work);
    // Runs the work on the queue and waits for it; run inline when already on this queue.
    void sync(const std::function<void()>& work);
    void after(double seconds, std::function<void()> work);
    bool isCurrent() const;

  private:
    using TimePoint = std::chrono::steady_clock::time_point;
    void run();

    QString label;
    std::mutex lock;
    std::condition_variable wake;
    // Keyed by due time, then by arrival, so equal times keep their order.
    std::map<std::pair<TimePoint, quint64>, std::function<void()>> pending;
    quint64 arrivals = 0;
    bool stopping = false;
    std::thread worker;
};
