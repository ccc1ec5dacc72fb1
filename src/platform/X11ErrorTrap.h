#pragma once

struct _XDisplay;

// Catches the errors one connection's requests cause while it lives, instead of the handler
// the process has installed, which is back when the trap goes. Errors arrive asynchronously:
// `caught` first waits until the server has answered every request made so far.
class X11ErrorTrap {
  public:
    X11ErrorTrap(_XDisplay* display, unsigned char errorCode);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Whether a request has failed with the error code.
    bool caught();

  private:
    _XDisplay* display;
    unsigned char code;
    bool seen = false;
    // Xlib's handler type names a struct that can't be declared here.
    void (*previousHandler)() = nullptr;
    X11ErrorTrap* previousTrap = nullptr;
};
