#pragma once

#include "delivery/EscapeWatch.h"

#include <QMetaObject>

class KeyWatcher;

// Escape seen through the raw key events: the overlay never has keyboard focus, and the key
// still reaches the application the user is in.
class X11EscapeWatch : public EscapeWatch {
  public:
    explicit X11EscapeWatch(KeyWatcher& keys);
    ~X11EscapeWatch() override;
    void start(std::function<void()> onEscape) override;
    void stop() override;

  private:
    KeyWatcher& keys;
    QMetaObject::Connection connection;
};
