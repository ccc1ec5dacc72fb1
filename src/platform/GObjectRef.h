#pragma once

#include <glib-object.h>

#include <utility>

// One reference to a GObject, given up with the holder. Copies take references of their own.
template <typename T> class GObjectRef {
  public:
    GObjectRef() = default;
    // Takes over a reference the caller owns: what a getter returned, or null.
    explicit GObjectRef(T* owned) : p(owned) {}
    ~GObjectRef() { reset(); }
    GObjectRef(const GObjectRef& other) : p(ref(other.p)) {}
    GObjectRef(GObjectRef&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
    GObjectRef& operator=(GObjectRef other) noexcept {
        std::swap(p, other.p);
        return *this;
    }

    // A reference of our own to an object someone else holds.
    static GObjectRef share(T* object) { return GObjectRef(ref(object)); }

    T* get() const { return p; }
    explicit operator bool() const { return p != nullptr; }
    void reset() {
        if (p)
            g_object_unref(std::exchange(p, nullptr));
    }

  private:
    static T* ref(T* object) { return object ? static_cast<T*>(g_object_ref(object)) : nullptr; }

    T* p = nullptr;
};
