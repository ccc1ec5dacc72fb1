#pragma once

#include "platform/X11Display.h"

#include <QList>

// Synthetic key presses through the XTest extension, as if typed on the keyboard.
class X11Keyboard {
  public:
    explicit X11Keyboard(X11Display& display);
    static X11Keyboard& shared();

    bool isAvailable() const { return available; }

    int keycodeFor(unsigned long keysym) const;
    // Presses the keys in order and releases them in reverse order; keys without a keycode are
    // left out. Answers the keycodes sent.
    QList<int> sendChord(const QList<unsigned long>& keysyms);
    // Whether any key that acts as a modifier (Shift, Control, Alt, Super …) is physically down.
    bool modifiersHeld() const;

  private:
    X11Display& display;
    bool available = false;
};
