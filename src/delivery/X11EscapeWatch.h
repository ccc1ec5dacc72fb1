#pragma once

#include "delivery/EscapeWatch.h"

#include <QMetaObject>

class X11KeyWatcher;

// Escape seen through the raw key events: the overlay never has keyboard focus, and the key
// still reaches the application the user is in.
class X11EscapeWatch : public EscapeWatch {
  public:
    explicit X11EscapeWatch(X11KeyWatcher& keys);
    ~X11EscapeWatch() override;
    void start(std::function<void()> onEscape) override;
    void stop() override;

  private:
    X11KeyWatcher& keys;
    QMetaObject::Connection connection;
};
