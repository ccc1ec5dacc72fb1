#include "platform/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace {
// Xlib's handler takes no context: the trap set last receives the errors.
X11ErrorTrap* active = nullptr;
} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display, unsigned char errorCode)
    : display(display), code(errorCode), previousTrap(active) {
    active = this;
    previousHandler = reinterpret_cast<void (*)()>(XSetErrorHandler([](Display* d, XErrorEvent* e) {
        for (X11ErrorTrap* trap = active; trap; trap = trap->previousTrap)
            if (trap->display == d && trap->code == e->error_code)
                trap->seen = true;
        return 0;
    }));
}

X11ErrorTrap::~X11ErrorTrap() {
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(previousHandler));
    active = previousTrap;
}

bool X11ErrorTrap::caught() {
    XSync(display, False);
    return seen;
}
