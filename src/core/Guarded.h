#pragma once

#include <mutex>

// A value that one thread writes and any thread reads, each access under its own lock.
template <typename T> class Guarded {
  public:
    explicit Guarded(T initial = {}) : value(std::move(initial)) {}

    T get() const {
        std::lock_guard guard(lock);
        return value;
    }

    void set(T next) {
        std::lock_guard guard(lock);
        value = std::move(next);
    }

  private:
    mutable std::mutex lock;
    T value;
};
