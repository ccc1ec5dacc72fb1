#include "platform/KeyWatcher.h"

#include "core/Shared.h"

KeyWatcher::~KeyWatcher() = default;

KeyWatcher& KeyWatcher::shared() {
    return Shared<KeyWatcher>::get();
}

void KeyWatcher::setShared(KeyWatcher* watcher) {
    Shared<KeyWatcher>::set(watcher);
}
