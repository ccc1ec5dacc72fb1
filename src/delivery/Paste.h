#pragma once

#include <QPointer>
#include <QString>

class KeyWatcher;
class Keyboard;
class ModifierWait;
class X11Display;

// Pasting through the clipboard: the text goes on the clipboard and the paste key is typed into
// the frontmost application. GUI thread.
class Paste {
  public:
    // The display tells terminals, which take another paste key, from other windows.
    Paste(KeyWatcher& keys, Keyboard& keyboard, X11Display& display);
    ~Paste();
    Paste(const Paste&) = delete;
    Paste& operator=(const Paste&) = delete;

    // Replaces the clipboard's content with the text.
    static void copyToClipboard(const QString& text);

    // Puts the text on the clipboard and types the paste key (Control+V, Control+Shift+V in a
    // terminal) once the user has let go of every modifier (a key still held would turn it into
    // another shortcut). Returns at once; the text stays on the clipboard.
    void paste(const QString& text);

    // How long a held modifier may delay the paste before it is typed anyway.
    static constexpr int modifierWaitMs = 1500;

  private:
    void typePasteKey();

    KeyWatcher& keys;
    Keyboard& keyboard;
    X11Display& display;
    QPointer<ModifierWait> waiting;
};
