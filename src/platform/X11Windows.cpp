#include "platform/X11Windows.h"

#include "platform/X11ErrorTrap.h"

#include <QList>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

std::optional<unsigned long> longProperty(Display* d, Window w, const char* name, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::optional<unsigned long> value;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1, False, type, &actualType,
                           &format, &count, &remaining, &data) == Success &&
        data && count == 1 && format == 32)
        value = *reinterpret_cast<unsigned long*>(data);
    if (data)
        XFree(data);
    return value;
}

void removeAtom(Display* d, Window w, Atom property, Atom atom) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 64, False, XA_ATOM, &actualType, &format, &count,
                           &remaining, &data) != Success || !data) {
        return;
    }
    auto* atoms = reinterpret_cast<Atom*>(data);
    QList<Atom> kept;
    for (unsigned long i = 0; i < count; ++i)
        if (atoms[i] != atom)
            kept << atoms[i];
    XFree(data);
    if (kept.size() != qsizetype(count))
        XChangeProperty(d, w, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(kept.constData()), int(kept.size()));
}

std::optional<X11Window> describe(Display* d, Window w) {
    XClassHint hint{nullptr, nullptr};
    if (!XGetClassHint(d, w, &hint))
        return std::nullopt;
    X11Window window;
    window.id = w;
    window.instance = QString::fromLocal8Bit(hint.res_name);
    window.className = QString::fromLocal8Bit(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    window.pid = qint64(longProperty(d, w, "_NET_WM_PID", XA_CARDINAL).value_or(0));
    return window;
}

Window parentOf(Display* d, Window w) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent == root ? 0 : parent;
}

// The focus may sit on a child of the client window (or, under a reparenting window manager,
// the client may sit inside a frame), so the class is looked for up the tree.
std::optional<X11Window> clientAt(Display* d, Window w) {
    for (int depth = 0; w && depth < 16; ++depth, w = parentOf(d, w))
        if (auto window = describe(d, w))
            return window;
    return std::nullopt;
}

} // namespace

namespace X11Windows {

std::optional<X11Window> frontmost(X11Display& display) {
    if (!display.isOpen())
        return std::nullopt;
    Display* d = display.get();
    Window w = longProperty(d, display.root(), "_NET_ACTIVE_WINDOW", XA_WINDOW).value_or(0);
    if (!w) {
        int revert = 0;
        XGetInputFocus(d, &w, &revert);
        if (w == PointerRoot)
            w = 0;
    }
    return w ? clientAt(d, w) : std::nullopt;
}

// The window manager owns the state of a shown window and takes changes as a message to the
// root; a window not shown yet carries them in its own property, which the toolkit keeps when it
// maps the window.
void setSkipTaskbar(X11Display& display, unsigned long window, bool skip) {
    Display* d = display.get();
    if (!d || !window)
        return;
    X11ErrorTrap trap(d, BadWindow);
    const Atom state = XInternAtom(d, "_NET_WM_STATE", False);
    const Atom atoms[] = {XInternAtom(d, "_NET_WM_STATE_SKIP_TASKBAR", False),
                          XInternAtom(d, "_NET_WM_STATE_SKIP_PAGER", False)};
    for (Atom atom : atoms)
        removeAtom(d, window, state, atom);
    if (skip)
        XChangeProperty(d, window, state, XA_ATOM, 32, PropModeAppend,
                        reinterpret_cast<const unsigned char*>(atoms), 2);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = state;
    message.xclient.format = 32;
    message.xclient.data.l[0] = skip ? 1 : 0;
    message.xclient.data.l[1] = long(atoms[0]);
    message.xclient.data.l[2] = long(atoms[1]);
    message.xclient.data.l[3] = 1;
    XSendEvent(d, display.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
    XFlush(d);
    trap.caught();
}

} // namespace X11Windows
