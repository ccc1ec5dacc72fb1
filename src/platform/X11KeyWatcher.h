#pragma once

#include "platform/KeyWatcher.h"
#include "platform/X11Display.h"

#include <QHash>

class QSocketNotifier;

// Key events through XInput2 raw events on a dedicated connection, and passive grabs of key
// combinations on the root window (on a second connection). Events are read when a
// connection's socket becomes readable: nothing polls.
class X11KeyWatcher : public KeyWatcher {
  public:
    explicit X11KeyWatcher(const QByteArray& displayName = {});
    ~X11KeyWatcher() override;

    bool isOpen() const override { return open; }
    unsigned long keysymAt(int keycode) const override;
    int keycodeFor(unsigned long keysym) const override;
    // `modifiers` is a core modifier mask (ShiftMask, ControlMask, Mod1Mask, Mod4Mask …); every
    // Caps Lock / Num Lock variant is grabbed too.
    bool grab(int keycode, unsigned modifiers) override;
    void ungrab(int keycode, unsigned modifiers) override;
    void skipOwnKey(int keycode) override;

  private:
    void selectEvents();
    void drain();
    void scheduleDrain();
    struct KeyReport {
        unsigned long time; // the server's, in milliseconds
        bool grabbed;
        int keycode;
        unsigned modifiers;
        bool pressed;
    };
    void readRawKey(union _XEvent& event, QList<KeyReport>& keys);
    void handleMapping(union _XEvent& event);
    bool isOwnKey(int keycode, bool pressed);
    unsigned findNumLockMask() const;
    QList<unsigned> lockVariants() const;

    X11Display display;
    // Grabs live on a connection of their own: while a grab is active the server keeps raw
    // events from the client that holds it, and the other key's release would be lost.
    X11Display grabDisplay;
    bool open = false;
    int xiOpcode = 0;
    int xkbEvent = 0;
    unsigned numLock = 0;
    QSocketNotifier* notifier = nullptr;
    QSocketNotifier* grabNotifier = nullptr;
    QHash<int, int> ownPresses, ownReleases;
    // The lock variants each grab (keycode, modifiers) was made with.
    QHash<QPair<int, unsigned>, QList<unsigned>> grabbedVariants;
    bool drainQueued = false;
};
