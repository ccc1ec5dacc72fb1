#include "system/HotKey.h"

#include "platform/KeyWatcher.h"
#include "settings/ModifierKeys.h"
#include "settings/Settings.h"
#include "system/X11KeyCodes.h"

HotKey::HotKey(Settings& settings, KeyWatcher& watcher) : settings(settings), watcher(watcher) {
    connect(&watcher, &KeyWatcher::rawKey, this, &HotKey::onRawKey);
    connect(&watcher, &KeyWatcher::grabbedKey, this, &HotKey::onGrabbedKey);
    // Grabs are made by keycode, which a new keyboard layout can move.
    connect(&watcher, &KeyWatcher::mappingChanged, this, [this] {
        if (registered)
            regrab();
    });
}

bool HotKey::registerKeys() {
    unregister();
    registered = true;
    bool result = true;
    for (int slot = 0; slot < 2; ++slot) {
        const KeyBinding b = settings.binding(slot);
        if (b.mode == HotkeyKind::modifier) {
            if (ModifierKeys::find(b.modKeyCode))
                watches << Watch{slot, quint16(b.modKeyCode)};
        } else if (b.mode == HotkeyKind::combo) {
            const int keycode = watcher.keycodeFor(X11KeyCodes::keysymFor(quint16(b.keyCode)));
            const unsigned modifiers = X11KeyCodes::xModifiers(b.modifiers);
            const bool grabbed = watcher.grab(keycode, modifiers);
            if (grabbed)
                grabs << Grab{slot, keycode, modifiers};
            if (slot == 0)
                result = grabbed;
        }
    }
    return result;
}

// The server also reports a mapping change whenever typing moves from one keyboard to another
// (our own pasting included), so a key may be held right now: its release must still end the
// press.
void HotKey::regrab() {
    const auto heldModifiers = modDown;
    const auto heldCombos = comboDown;
    registerKeys();
    modDown = heldModifiers;
    comboDown = heldCombos;
}

void HotKey::unregister() {
    for (const Grab& g : grabs)
        watcher.ungrab(g.keycode, g.modifiers);
    grabs.clear();
    watches.clear();
    modDown = {false, false};
    comboDown = {false, false};
    registered = false;
}

void HotKey::onRawKey(int keycode, bool pressed) {
    if (watches.isEmpty())
        return;
    const unsigned long keysym = watcher.keysymAt(keycode);
    const auto code = X11KeyCodes::macKeyCode(keysym);
    if (X11KeyCodes::isModifier(keysym)) {
        for (const Watch& w : QList<Watch>(watches))
            if (code)
                onModifier(w, *code, pressed);
        return;
    }
    if (pressed)
        onKeyDown();
}

void HotKey::onModifier(const Watch& watch, quint16 keyCode, bool pressed) {
    if (keyCode != watch.keyCode)
        return;
    bool& down = modDown[watch.slot];
    if (pressed == down)
        return;
    down = pressed;
    if (pressed)
        emit keyPressed(watch.slot);
    else
        emit keyReleased(watch.slot);
}

// `modDown` stays as it is: the held key's release still ends the press.
void HotKey::onKeyDown() {
    for (int slot = 0; slot < 2; ++slot)
        if (modDown[slot])
            emit pressCancelled(slot);
}

void HotKey::onGrabbedKey(int keycode, unsigned modifiers, bool pressed) {
    for (const Grab& g : QList<Grab>(grabs)) {
        if (g.keycode != keycode)
            continue;
        bool& down = comboDown[g.slot];
        if (pressed && !down && modifiers == g.modifiers) {
            down = true;
            emit keyPressed(g.slot);
        } else if (!pressed && down) {
            down = false;
            emit keyReleased(g.slot);
        }
    }
}
