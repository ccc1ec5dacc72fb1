#pragma once

#include <QObject>

// Every key press and release on the desktop, seen without taking the key from the application
// that has focus, and grabs of key combinations whose presses come here instead. Keycodes are
// the server's; keysyms and modifier masks are X11's values. GUI thread only.
class KeyWatcher : public QObject {
    Q_OBJECT
  public:
    ~KeyWatcher() override;

    // Whether events can arrive at all.
    virtual bool isOpen() const = 0;
    // The keysym on the key's first level in the first group; 0 when there is none.
    virtual unsigned long keysymAt(int keycode) const = 0;
    // The first key that produces the keysym; 0 when there is none.
    virtual int keycodeFor(unsigned long keysym) const = 0;
    // False when another client already holds the combination; nothing stays grabbed then.
    virtual bool grab(int keycode, unsigned modifiers) = 0;
    virtual void ungrab(int keycode, unsigned modifiers) = 0;
    // The next press and release of this key are our own synthetic ones: they are not reported.
    virtual void skipOwnKey(int keycode) = 0;

  signals:
    void rawKey(int keycode, bool pressed);
    // A grabbed combination; `modifiers` has the lock bits removed.
    void grabbedKey(int keycode, unsigned modifiers, bool pressed);
    // The keyboard mapping changed: grabs by keycode may now be wrong.
    void mappingChanged();

  protected:
    KeyWatcher() = default;
};
