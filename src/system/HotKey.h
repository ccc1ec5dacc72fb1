#pragma once

#include <QList>
#include <QObject>

#include <array>

class Settings;
class KeyWatcher;

// The two global keys of the settings, watched desktop-wide. Slot 0 is the dictation key, slot 1
// the hands-free key. A combo is grabbed, so the application with focus never sees it; a
// modifier key pressed alone is only watched, never taken. The signals come on the GUI thread,
// synchronously from the key events.
class HotKey : public QObject {
    Q_OBJECT
  public:
    HotKey(Settings& settings, KeyWatcher& watcher);

    // Installs both keys from the settings, replacing what was installed; false when the
    // dictation key is a combo another application holds. (`register` is a C++ keyword.)
    bool registerKeys();
    void unregister();

    std::array<bool, 2> modDown{false, false};

  signals:
    void keyPressed(int slot);
    void keyReleased(int slot);
    // Another key went down while the slot's modifier key was held: the user is typing a
    // shortcut, not dictating.
    void pressCancelled(int slot);

  private:
    struct Grab {
        int slot;
        int keycode;
        unsigned modifiers;
    };
    struct Watch {
        int slot;
        quint16 keyCode;
    };

    void regrab();
    void onRawKey(int keycode, bool pressed);
    void onGrabbedKey(int keycode, unsigned modifiers, bool pressed);
    void onModifier(const Watch& watch, quint16 keyCode, bool pressed);
    void onKeyDown();

    Settings& settings;
    KeyWatcher& watcher;
    QList<Grab> grabs;
    QList<Watch> watches;
    std::array<bool, 2> comboDown{false, false};
    bool registered = false;
};
