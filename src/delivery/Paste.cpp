#include "delivery/Paste.h"

#include "core/DebugLog.h"
#include "delivery/Focus.h"
#include "platform/KeyWatcher.h"
#include "platform/Keyboard.h"
#include "platform/X11Display.h"
#include "platform/X11Windows.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include <X11/keysym.h>

#include <functional>

// Waits for modifier releases as the key watcher reports them; a timer only ends the wait.
class ModifierWait : public QObject {
  public:
    ModifierWait(KeyWatcher& keys, Keyboard& keyboard, std::function<void()> done)
        : done(std::move(done)) {
        connect(&keys, &KeyWatcher::rawKey, this, [this, &keyboard](int, bool pressed) {
            if (!pressed && !keyboard.modifiersHeld())
                finish();
        });
        QTimer::singleShot(Paste::modifierWaitMs, this, [this] {
            debugLog("paste: modifiers still held, pasting anyway");
            finish();
        });
    }

    bool isWaiting() const { return !finished; }

  private:
    void finish() {
        if (finished)
            return;
        finished = true;
        done();
        deleteLater();
    }

    std::function<void()> done;
    bool finished = false;
};

Paste::Paste(KeyWatcher& keys, Keyboard& keyboard, X11Display& display)
    : keys(keys), keyboard(keyboard), display(display) {}

// A wait still running would type into whatever has focus after we are gone.
Paste::~Paste() {
    delete waiting.data();
}

void Paste::copyToClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void Paste::paste(const QString& text) {
    copyToClipboard(text);
    // A paste still waiting types the key once for whatever the clipboard then holds: a second
    // wait would paste the newest text twice.
    if (waiting && waiting->isWaiting())
        return;
    if (!keyboard.modifiersHeld())
        typePasteKey();
    else
        waiting = new ModifierWait(keys, keyboard, [this] { typePasteKey(); });
}

void Paste::typePasteKey() {
    const auto front = X11Windows::frontmost(display);
    QList<unsigned long> chord{XK_Control_L, XK_v};
    if (front && Focus::isTerminal(*front))
        chord = {XK_Control_L, XK_Shift_L, XK_v};
    // Our own key presses must not look like the user pressing a global key.
    for (unsigned long keysym : chord)
        keys.skipOwnKey(keyboard.keycodeFor(keysym));
    keyboard.sendChord(chord);
}
