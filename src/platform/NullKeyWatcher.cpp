#include "platform/NullKeyWatcher.h"

bool NullKeyWatcher::isOpen() const {
    return false;
}

unsigned long NullKeyWatcher::keysymAt(int) const {
    return 0;
}

int NullKeyWatcher::keycodeFor(unsigned long) const {
    return 0;
}

bool NullKeyWatcher::grab(int, unsigned) {
    return false;
}

void NullKeyWatcher::ungrab(int, unsigned) {}

void NullKeyWatcher::skipOwnKey(int) {}
