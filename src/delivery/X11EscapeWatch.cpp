#include "delivery/X11EscapeWatch.h"

#include "platform/KeyWatcher.h"

#include <X11/keysym.h>

X11EscapeWatch::X11EscapeWatch(KeyWatcher& keys) : keys(keys) {}

X11EscapeWatch::~X11EscapeWatch() {
    stop();
}

void X11EscapeWatch::start(std::function<void()> onEscape) {
    stop();
    connection = QObject::connect(&keys, &KeyWatcher::rawKey, &keys,
                                  [this, onEscape](int keycode, bool pressed) {
                                      if (pressed && keys.keysymAt(keycode) == XK_Escape)
                                          onEscape();
                                  });
}

void X11EscapeWatch::stop() {
    QObject::disconnect(connection);
}
