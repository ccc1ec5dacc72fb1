#pragma once

#include <QByteArray>

struct _XDisplay;

// One client connection to the X server, closed with the object. Empty when there is no
// server to reach (no DISPLAY, Wayland without Xwayland).
class X11Display {
  public:
    explicit X11Display(const QByteArray& name = {});
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    bool isOpen() const { return d != nullptr; }
    _XDisplay* get() const { return d; }
    unsigned long root() const;

  private:
    _XDisplay* d = nullptr;
};
