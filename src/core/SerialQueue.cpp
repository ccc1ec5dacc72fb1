#include "core/SerialQueue.h"

#include <QThread>

SerialQueue::SerialQueue(QString name) : label(std::move(name)), worker([this] { run(); }) {}

SerialQueue::~SerialQueue() {
    {
        std::lock_guard guard(lock);
        stopping = true;
    }
    wake.notify_all();
    if (worker.joinable())
        worker.join();
}

void SerialQueue::async(std::function<void()> work) {
    after(0, std::move(work));
}

void SerialQueue::after(double seconds, std::function<void()> work) {
    const auto due = std::chrono::steady_clock::now() +
                     std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(std::max(0.0, seconds)));
    bool earliest;
    {
        std::lock_guard guard(lock);
        const auto added = pending.emplace(std::make_pair(due, arrivals++), std::move(work)).first;
        earliest = added == pending.begin();
    }
    // Work due after what is already waiting changes nothing for the sleeping worker.
    if (earliest)
        wake.notify_all();
}

void SerialQueue::sync(const std::function<void()>& work) {
    if (isCurrent()) {
        work();
        return;
    }
    std::mutex doneLock;
    std::condition_variable doneWake;
    bool done = false;
    async([&] {
        work();
        std::lock_guard guard(doneLock);
        done = true;
        doneWake.notify_all();
    });
    std::unique_lock guard(doneLock);
    doneWake.wait(guard, [&] { return done; });
}

bool SerialQueue::isCurrent() const {
    return std::this_thread::get_id() == worker.get_id();
}

void SerialQueue::run() {
    QThread::currentThread()->setObjectName(label);
    std::unique_lock guard(lock);
    while (!stopping) {
        if (pending.empty()) {
            wake.wait(guard);
            continue;
        }
        auto first = pending.begin();
        if (first->first.first > std::chrono::steady_clock::now()) {
            wake.wait_until(guard, first->first.first);
            continue;
        }
        auto work = std::move(first->second);
        pending.erase(first);
        guard.unlock();
        work();
        guard.lock();
    }
}
