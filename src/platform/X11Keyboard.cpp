#include "platform/X11Keyboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

X11Keyboard::X11Keyboard(X11Display& display) : display(display) {
    int event = 0, error = 0, major = 0, minor = 0;
    available =
        display.isOpen() && XTestQueryExtension(display.get(), &event, &error, &major, &minor);
}

int X11Keyboard::keycodeFor(unsigned long keysym) const {
    return display.isOpen() ? XKeysymToKeycode(display.get(), keysym) : 0;
}

QList<int> X11Keyboard::sendChord(const QList<unsigned long>& keysyms) {
    QList<int> codes;
    if (!available)
        return codes;
    for (unsigned long keysym : keysyms)
        if (const int code = keycodeFor(keysym))
            codes << code;
    for (int code : codes)
        XTestFakeKeyEvent(display.get(), code, True, CurrentTime);
    for (auto it = codes.crbegin(); it != codes.crend(); ++it)
        XTestFakeKeyEvent(display.get(), *it, False, CurrentTime);
    XFlush(display.get());
    return codes;
}

bool X11Keyboard::modifiersHeld() const {
    if (!display.isOpen())
        return false;
    char keys[32] = {};
    XQueryKeymap(display.get(), keys);
    XModifierKeymap* map = XGetModifierMapping(display.get());
    if (!map)
        return false;
    bool held = false;
    for (int i = 0; i < 8 * map->max_keypermod && !held; ++i) {
        const KeyCode code = map->modifiermap[i];
        // The key map holds keys physically down: a lock that is on doesn't count.
        held = code && (keys[code / 8] & (1 << (code % 8)));
    }
    XFreeModifiermap(map);
    return held;
}
