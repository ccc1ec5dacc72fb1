#include "system/HotkeyListenState.h"

void HotkeyListenState::setListening(bool value) {
    if (listening_ == value)
        return;
    listening_ = value;
    emit listeningChanged(value);
}
