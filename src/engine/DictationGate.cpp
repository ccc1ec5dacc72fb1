#include "engine/DictationGate.h"

void DictationGate::begin() {
    std::lock_guard guard(dictationLock);
    ++dictationInFlight;
}

void DictationGate::end() {
    std::lock_guard guard(dictationLock);
    --dictationInFlight;
}

int DictationGate::inFlight() const {
    std::lock_guard guard(dictationLock);
    return dictationInFlight;
}
