#pragma once

#include "platform/Keyboard.h"

// No way to type into other applications: nothing is sent and no key is ever held.
class NullKeyboard : public Keyboard {
  public:
    bool isAvailable() const override;
    int keycodeFor(unsigned long keysym) const override;
    QList<int> sendChord(const QList<unsigned long>& keysyms) override;
    bool modifiersHeld() const override;
};
