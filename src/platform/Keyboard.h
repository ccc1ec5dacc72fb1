#pragma once

#include <QList>

// Synthetic key presses into whatever application has focus, as if typed on the keyboard, and
// the state of the physical keys. Keysyms and keycodes are X11's values. GUI thread only.
class Keyboard {
  public:
    Keyboard() = default;
    virtual ~Keyboard() = default;
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // Whether keys can be typed into other applications at all.
    virtual bool isAvailable() const = 0;
    // The first key that produces the keysym; 0 when there is none.
    virtual int keycodeFor(unsigned long keysym) const = 0;
    // Presses the keys in order and releases them in reverse order; keys without a keycode are
    // left out. Answers the keycodes sent.
    virtual QList<int> sendChord(const QList<unsigned long>& keysyms) = 0;
    // Whether any key that acts as a modifier (Shift, Control, Alt, Super …) is physically down.
    virtual bool modifiersHeld() const = 0;
};
