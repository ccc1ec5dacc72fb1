#pragma once

#include "platform/Windows.h"
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

// Window queries on an X server: `_NET_ACTIVE_WINDOW` and `_NET_CLIENT_LIST`, with the
// window's WM_CLASS, `_NET_WM_PID` and `_NET_WM_NAME`.
class X11Windows : public Windows {
  public:
    explicit X11Windows(X11Display& display);

    std::optional<WindowInfo> frontmost() override;
    QList<WindowInfo> all() override;

    // The window the user is working in: the window manager's active window, or, with no
    // window manager, the client window holding the input focus. Empty when nothing has focus.
    static std::optional<X11Window> frontmost(X11Display& display);
    // The class as people read it: "org.gnome.Terminal" is "Terminal".
    static QString displayName(const QString& className);
    // Keeps one of our own windows out of (or puts it back in) the taskbar and the pager. Works
    // before the window is first shown and while it is shown.
    static void setSkipTaskbar(X11Display& display, unsigned long window, bool skip);
    // Puts one of our own windows on every workspace, before it is shown (the window manager
    // forgets this whenever the window is hidden) or while it is shown.
    static void showOnEveryWorkspace(X11Display& display, unsigned long window);

  private:
    X11Display& display;
};
