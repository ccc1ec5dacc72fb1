#pragma once

#include "platform/KeyWatcher.h"

// No keyboard to watch (no X server): no events, no keys, every grab refused.
class NullKeyWatcher : public KeyWatcher {
  public:
    bool isOpen() const override;
    unsigned long keysymAt(int keycode) const override;
    int keycodeFor(unsigned long keysym) const override;
    bool grab(int keycode, unsigned modifiers) override;
    void ungrab(int keycode, unsigned modifiers) override;
    void skipOwnKey(int keycode) override;
};
