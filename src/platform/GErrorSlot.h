#pragma once

#include <glib.h>

// Where a glib call reports its failure; the error is freed with the slot.
class GErrorSlot {
  public:
    GErrorSlot() = default;
    ~GErrorSlot() {
        if (e)
            g_error_free(e);
    }
    GErrorSlot(const GErrorSlot&) = delete;
    GErrorSlot& operator=(const GErrorSlot&) = delete;

    // For the call's `GError**`; glib won't write over an error already there.
    GError** out() { return &e; }
    explicit operator bool() const { return e != nullptr; }

  private:
    GError* e = nullptr;
};
