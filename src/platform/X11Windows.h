#pragma once

#include "platform/X11Display.h"

#include <QString>

#include <optional>

// A top-level window of some application: its WM_CLASS (instance and class names) and the
// process that owns it (0 when the window doesn't say).
struct X11Window {
    unsigned long id = 0;
    QString instance;
    QString className;
    qint64 pid = 0;
};

namespace X11Windows {
// The window the user is working in: the window manager's active window, or, with no window
// manager, the client window holding the input focus. Empty when nothing has focus.
std::optional<X11Window> frontmost(X11Display& display);
// Keeps one of our own windows out of (or puts it back in) the taskbar and the pager. Works
// before the window is first shown and while it is shown.
void setSkipTaskbar(X11Display& display, unsigned long window, bool skip);
} // namespace X11Windows
