#include "delivery/Paste.h"

#include "core/DebugLog.h"
#include "delivery/Focus.h"
#include "platform/X11Display.h"
#include "platform/X11KeyWatcher.h"
#include "platform/X11Keyboard.h"
#include "platform/X11Windows.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

#include <X11/keysym.h>

namespace {

void typePasteKey() {
    const auto front = X11Windows::frontmost(X11Display::general());
    QList<unsigned long> chord{XK_Control_L, XK_v};
    if (front && Focus::isTerminal(*front))
        chord = {XK_Control_L, XK_Shift_L, XK_v};
    // Our own key presses must not look like the user pressing a global key.
    auto& watcher = X11KeyWatcher::shared();
    for (unsigned long keysym : chord)
        watcher.skipOwnKey(X11Keyboard::shared().keycodeFor(keysym));
    X11Keyboard::shared().sendChord(chord);
}

// Waits for modifier releases as the key watcher reports them; a timer only ends the wait.
class ModifierWait : public QObject {
  public:
    ModifierWait() {
        auto& watcher = X11KeyWatcher::shared();
        connect(&watcher, &X11KeyWatcher::rawKey, this, [this](int, bool pressed) {
            if (!pressed && !X11Keyboard::shared().modifiersHeld())
                finish();
        });
        QTimer::singleShot(Paste::modifierWaitMs, this, [this] {
            debugLog("paste: modifiers still held, pasting anyway");
            finish();
        });
    }

    bool isWaiting() const { return !done; }

  private:
    void finish() {
        if (done)
            return;
        done = true;
        typePasteKey();
        deleteLater();
    }

    bool done = false;
};

} // namespace

namespace Paste {

void copyToClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void paste(const QString& text) {
    // A paste still waiting types the key once for whatever the clipboard then holds: a second
    // wait would paste the newest text twice.
    static QPointer<ModifierWait> waiting;
    copyToClipboard(text);
    if (waiting && waiting->isWaiting())
        return;
    if (!X11Keyboard::shared().modifiersHeld())
        typePasteKey();
    else
        waiting = new ModifierWait;
}

} // namespace Paste
