#include "platform/X11KeyWatcher.h"

#include "platform/X11ErrorTrap.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

X11KeyWatcher::X11KeyWatcher(const QByteArray& displayName)
    : display(displayName), grabDisplay(displayName) {
    if (!display.isOpen() || !grabDisplay.isOpen())
        return;
    int event = 0, error = 0;
    if (!XQueryExtension(display.get(), "XInputExtension", &xiOpcode, &event, &error))
        return;
    // A client that announces XInput 2.0 gets no raw events while any client holds the keyboard
    // (an open menu does): the release of a held dictation key would be lost. 2.1 gets them all.
    int major = 2, minor = 1;
    if (XIQueryVersion(display.get(), &major, &minor) != Success)
        return;
    int xkbOpcode = 0, xkbError = 0, xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (XkbQueryExtension(display.get(), &xkbOpcode, &xkbEvent, &xkbError, &xkbMajor, &xkbMinor))
        XkbSelectEvents(display.get(), XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                        XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    int grabXkbEvent = 0;
    if (XkbQueryExtension(grabDisplay.get(), &xkbOpcode, &grabXkbEvent, &xkbError, &xkbMajor,
                          &xkbMinor)) {
        // Without this a held combination reports a release before every repeated press.
        Bool supported = False;
        XkbSetDetectableAutoRepeat(grabDisplay.get(), True, &supported);
    }
    selectEvents();
    numLock = findNumLockMask();
    open = true;
    notifier = new QSocketNotifier(ConnectionNumber(display.get()), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &X11KeyWatcher::drain);
    grabNotifier =
        new QSocketNotifier(ConnectionNumber(grabDisplay.get()), QSocketNotifier::Read, this);
    connect(grabNotifier, &QSocketNotifier::activated, this, &X11KeyWatcher::drain);
    XFlush(display.get());
}

// The notifiers go before the connections close their sockets.
X11KeyWatcher::~X11KeyWatcher() {
    delete notifier;
    delete grabNotifier;
}

void X11KeyWatcher::selectEvents() {
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    XIEventMask events{XIAllMasterDevices, int(sizeof(mask)), mask};
    XISelectEvents(display.get(), display.root(), &events, 1);
}

unsigned long X11KeyWatcher::keysymAt(int keycode) const {
    if (!open || keycode < 8 || keycode > 255)
        return 0;
    return XkbKeycodeToKeysym(display.get(), KeyCode(keycode), 0, 0);
}

int X11KeyWatcher::keycodeFor(unsigned long keysym) const {
    return open ? XKeysymToKeycode(display.get(), keysym) : 0;
}

unsigned X11KeyWatcher::findNumLockMask() const {
    unsigned mask = 0;
    XModifierKeymap* map = XGetModifierMapping(display.get());
    const KeyCode numLockCode = XKeysymToKeycode(display.get(), XK_Num_Lock);
    for (int mod = 0; map && numLockCode && mask == 0 && mod < 8; ++mod)
        for (int i = 0; i < map->max_keypermod; ++i)
            if (map->modifiermap[mod * map->max_keypermod + i] == numLockCode)
                mask = 1u << mod;
    if (map)
        XFreeModifiermap(map);
    return mask;
}

QList<unsigned> X11KeyWatcher::lockVariants() const {
    QList<unsigned> variants{0, LockMask};
    if (numLock)
        variants << numLock << (numLock | LockMask);
    return variants;
}

bool X11KeyWatcher::grab(int keycode, unsigned modifiers) {
    if (!open || keycode == 0)
        return false;
    const QList<unsigned> variants = lockVariants();
    bool refused = false;
    {
        // A key another client holds answers BadAccess.
        X11ErrorTrap trap(grabDisplay.get(), BadAccess);
        for (unsigned lock : variants)
            XGrabKey(grabDisplay.get(), keycode, modifiers | lock, grabDisplay.root(), False,
                     GrabModeAsync, GrabModeAsync);
        refused = trap.caught();
    }
    if (refused)
        ungrab(keycode, modifiers);
    else
        grabbedVariants.insert({keycode, modifiers}, variants);
    scheduleDrain();
    return !refused;
}

void X11KeyWatcher::ungrab(int keycode, unsigned modifiers) {
    if (!open || keycode == 0)
        return;
    // Num Lock may have moved to another modifier bit since the grab was made.
    const QList<unsigned> variants = grabbedVariants.contains({keycode, modifiers})
                                         ? grabbedVariants.take({keycode, modifiers})
                                         : lockVariants();
    for (unsigned lock : variants)
        XUngrabKey(grabDisplay.get(), keycode, modifiers | lock, grabDisplay.root());
    XFlush(grabDisplay.get());
    scheduleDrain();
}

void X11KeyWatcher::skipOwnKey(int keycode) {
    ++ownPresses[keycode];
    ++ownReleases[keycode];
}

bool X11KeyWatcher::isOwnKey(int keycode, bool pressed) {
    auto& pending = pressed ? ownPresses : ownReleases;
    auto it = pending.find(keycode);
    if (it == pending.end())
        return false;
    if (--it.value() == 0)
        pending.erase(it);
    return true;
}

// Requests that wait for a reply (XSync, lookups) may have read events into Xlib's queue without
// the socket becoming readable again, so the queue is emptied after them too.
void X11KeyWatcher::scheduleDrain() {
    if (drainQueued)
        return;
    drainQueued = true;
    QTimer::singleShot(0, this, [this] {
        drainQueued = false;
        drain();
    });
}

void X11KeyWatcher::drain() {
    QList<KeyReport> keys;
    while (XPending(display.get())) {
        XEvent event;
        XNextEvent(display.get(), &event);
        if (event.xcookie.type == GenericEvent && event.xcookie.extension == xiOpcode)
            readRawKey(event, keys);
        else
            handleMapping(event);
    }
    // Mapping changes are followed on the other connection.
    while (XPending(grabDisplay.get())) {
        XEvent event;
        XNextEvent(grabDisplay.get(), &event);
        if (event.type == KeyPress || event.type == KeyRelease)
            keys << KeyReport{event.xkey.time, true, int(event.xkey.keycode),
                              event.xkey.state & ~(LockMask | numLock), event.type == KeyPress};
    }
    // The two connections are read one after the other: the server's times put their keys back
    // in the order they were typed (a raw event comes before the grabbed press it belongs to).
    std::stable_sort(keys.begin(), keys.end(), [](const KeyReport& a, const KeyReport& b) {
        return qint32(quint32(a.time) - quint32(b.time)) < 0;
    });
    for (const KeyReport& key : keys) {
        if (key.grabbed)
            emit grabbedKey(key.keycode, key.modifiers, key.pressed);
        else
            emit rawKey(key.keycode, key.pressed);
    }
}

void X11KeyWatcher::readRawKey(XEvent& event, QList<KeyReport>& keys) {
    XGenericEventCookie& cookie = event.xcookie;
    if (!XGetEventData(display.get(), &cookie))
        return;
    const auto* raw = static_cast<XIRawEvent*>(cookie.data);
    const bool pressed = cookie.evtype == XI_RawKeyPress;
    const KeyReport key{raw->time, false, raw->detail, 0, pressed};
    XFreeEventData(display.get(), &cookie);
    if ((pressed || cookie.evtype == XI_RawKeyRelease) && !isOwnKey(key.keycode, pressed))
        keys << key;
}

void X11KeyWatcher::handleMapping(XEvent& event) {
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        numLock = findNumLockMask();
        emit mappingChanged();
        return;
    }
    if (xkbEvent && event.type == xkbEvent) {
        const auto* xkb = reinterpret_cast<XkbAnyEvent*>(&event);
        if (xkb->xkb_type == XkbMapNotify)
            XkbRefreshKeyboardMapping(reinterpret_cast<XkbMapNotifyEvent*>(&event));
        if (xkb->xkb_type == XkbMapNotify || xkb->xkb_type == XkbNewKeyboardNotify) {
            numLock = findNumLockMask();
            emit mappingChanged();
        }
    }
}
