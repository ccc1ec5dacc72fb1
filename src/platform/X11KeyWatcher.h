#pragma once

#include "platform/X11Display.h"

#include <QHash>
#include <QObject>

class QSocketNotifier;

// Every key press and release on the desktop, seen through XInput2 raw events on a dedicated
// connection without taking the key from the application that has focus; plus passive grabs of
// key combinations on the root window (on a second connection), whose presses come here instead
// of to that application. Events are read when a connection's socket becomes readable: nothing
// polls. GUI thread only.
class X11KeyWatcher : public QObject {
    Q_OBJECT
  public:
    explicit X11KeyWatcher(const QByteArray& displayName = {});
    ~X11KeyWatcher() override;
    static X11KeyWatcher& shared();

    bool isOpen() const { return open; }

    // The keysym on the key's first level in the first group (what the key is "called"), and the
    // first key that produces a keysym; 0 when there is none.
    unsigned long keysymAt(int keycode) const;
    int keycodeFor(unsigned long keysym) const;

    // `modifiers` is a core modifier mask (ShiftMask, ControlMask, Mod1Mask, Mod4Mask …); every
    // Caps Lock / Num Lock variant is grabbed too. False when another client already holds one
    // of them; nothing stays grabbed then.
    bool grab(int keycode, unsigned modifiers);
    void ungrab(int keycode, unsigned modifiers);

    // The next press and release of this key are our own synthetic ones: they are not reported.
    void skipOwnKey(int keycode);

  signals:
    void rawKey(int keycode, bool pressed);
    // A grabbed combination; `modifiers` has the lock bits removed.
    void grabbedKey(int keycode, unsigned modifiers, bool pressed);
    // The keyboard mapping changed: grabs by keycode may now be wrong.
    void mappingChanged();

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
