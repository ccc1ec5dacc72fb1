#pragma once

#include <QList>
#include <QString>

#include <optional>

// One top-level window as the desktop describes it.
struct WindowInfo {
    // The application's identifier (on X11 the class part of WM_CLASS, e.g. "firefox").
    QString className;
    // The application's name as people know it.
    QString name;
    qint64 pid = 0; // 0 when the window doesn't say
    QString title;
};

// Questions about the desktop's windows.
class Windows {
  public:
    virtual ~Windows() = default;
    // The window the user is working in, or none.
    virtual std::optional<WindowInfo> frontmost() = 0;
    // Every top-level application window, in the window manager's order.
    virtual QList<WindowInfo> all() = 0;
};
