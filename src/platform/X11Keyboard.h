#pragma once

#include "platform/Keyboard.h"
#include "platform/X11Display.h"

// Synthetic key presses through the XTest extension.
class X11Keyboard : public Keyboard {
  public:
    explicit X11Keyboard(X11Display& display);

    bool isAvailable() const override { return available; }
    int keycodeFor(unsigned long keysym) const override;
    QList<int> sendChord(const QList<unsigned long>& keysyms) override;
    bool modifiersHeld() const override;

  private:
    X11Display& display;
    bool available = false;
};
