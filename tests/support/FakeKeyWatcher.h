#pragma once

#include "platform/KeyWatcher.h"

#include <QHash>
#include <QPair>
#include <QSet>

// A keyboard the test types on by keysym; each keysym gets a keycode of its own when first
// looked up. Grabs are recorded, and a combination marked `taken` is refused as another
// client's would be. Events reach the listeners synchronously.
class FakeKeyWatcher : public KeyWatcher {
  public:
    bool isOpen() const override { return true; }
    unsigned long keysymAt(int keycode) const override { return codes.key(keycode, 0); }
    int keycodeFor(unsigned long keysym) const override {
        if (!codes.contains(keysym))
            codes.insert(keysym, nextCode++);
        return codes.value(keysym);
    }
    bool grab(int keycode, unsigned modifiers) override {
        if (keycode == 0 || taken.contains({keycode, modifiers}))
            return false;
        grabs.insert({keycode, modifiers});
        return true;
    }
    void ungrab(int keycode, unsigned modifiers) override { grabs.remove({keycode, modifiers}); }
    // Nothing is typed here, so no key is ever our own.
    void skipOwnKey(int) override {}

    // Raw events, seen whether or not the key is grabbed.
    void press(unsigned long keysym) { emit rawKey(keycodeFor(keysym), true); }
    void release(unsigned long keysym) { emit rawKey(keycodeFor(keysym), false); }
    // A grabbed key's event, delivered only while some grab holds that key.
    void grabbed(unsigned long keysym, unsigned modifiers, bool pressed) {
        const int code = keycodeFor(keysym);
        for (const auto& g : grabs)
            if (g.first == code) {
                emit grabbedKey(code, modifiers, pressed);
                return;
            }
    }
    // A new layout puts the keysym on another key.
    void moveKey(unsigned long keysym, int keycode) {
        codes.insert(keysym, keycode);
        emit mappingChanged();
    }
    void take(unsigned long keysym, unsigned modifiers) {
        taken.insert({keycodeFor(keysym), modifiers});
    }
    bool isGrabbed(unsigned long keysym, unsigned modifiers) const {
        return grabs.contains({keycodeFor(keysym), modifiers});
    }

    QSet<QPair<int, unsigned>> grabs;

  private:
    mutable QHash<unsigned long, int> codes;
    mutable int nextCode = 10;
    QSet<QPair<int, unsigned>> taken;
};
