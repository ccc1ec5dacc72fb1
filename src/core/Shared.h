#pragma once

#include <QtGlobal>

// The slot behind a `Type::shared()` accessor. Start-up builds each object, in its declared
// order, and puts it here; the object is taken out again before it is destroyed. A library
// never builds its own collaborators through it: asking before start-up has set one is a fault.
template <typename T> class Shared {
  public:
    static T& get() {
        Q_ASSERT_X(slot(), "Shared::get", "used before start-up built it");
        return *slot();
    }
    static T* find() { return slot(); }
    static void set(T* instance) { slot() = instance; }

  private:
    static T*& slot() {
        static T* instance = nullptr;
        return instance;
    }
};
