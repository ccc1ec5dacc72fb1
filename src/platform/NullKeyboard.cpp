#include "platform/NullKeyboard.h"

bool NullKeyboard::isAvailable() const {
    return false;
}

int NullKeyboard::keycodeFor(unsigned long) const {
    return 0;
}

QList<int> NullKeyboard::sendChord(const QList<unsigned long>&) {
    return {};
}

bool NullKeyboard::modifiersHeld() const {
    return false;
}
