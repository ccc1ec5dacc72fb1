#include "platform/X11Display.h"

#include <X11/Xlib.h>

#include <mutex>

namespace {
// Xlib's own handler ends the process, and a window can vanish between two of our requests.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}
} // namespace

X11Display::X11Display(const QByteArray& name)
    : d(XOpenDisplay(name.isEmpty() ? nullptr : name.constData())) {
    static std::once_flag handler;
    if (d)
        std::call_once(handler, [] { XSetErrorHandler(ignoreError); });
}

X11Display::~X11Display() {
    if (d)
        XCloseDisplay(d);
}

unsigned long X11Display::root() const {
    return d ? DefaultRootWindow(d) : 0;
}
