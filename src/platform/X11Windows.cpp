#include "platform/X11Windows.h"

#include "platform/X11ErrorTrap.h"

#include <QList>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

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

QString utf8Property(Display* d, Window w, const char* name) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    QString value;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False,
                           XInternAtom(d, "UTF8_STRING", False), &actualType, &format, &count,
                           &remaining, &data) == Success &&
        data && format == 8)
        value = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
    if (data)
        XFree(data);
    return value;
}

std::vector<Window> clientList(Display* d, Window root) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<Window> windows;
    if (XGetWindowProperty(d, root, XInternAtom(d, "_NET_CLIENT_LIST", False), 0, 4096, False,
                           XA_WINDOW, &actualType, &format, &count, &remaining,
                           &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        windows.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    return windows;
}

WindowInfo info(Display* d, const X11Window& window) {
    return {window.className, X11Windows::displayName(window.className), window.pid,
            utf8Property(d, window.id, "_NET_WM_NAME")};
}

} // namespace

X11Windows::X11Windows(X11Display& display) : display(display) {}

std::optional<WindowInfo> X11Windows::frontmost() {
    const auto window = frontmost(display);
    if (!window)
        return std::nullopt;
    return info(display.get(), *window);
}

QList<WindowInfo> X11Windows::all() {
    QList<WindowInfo> windows;
    if (!display.isOpen())
        return windows;
    Display* d = display.get();
    for (const Window w : clientList(d, display.root()))
        if (const auto window = describe(d, w))
            windows << info(d, *window);
    return windows;
}

QString X11Windows::displayName(const QString& className) {
    return className.section('.', -1);
}

std::optional<X11Window> X11Windows::frontmost(X11Display& display) {
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
void X11Windows::setSkipTaskbar(X11Display& display, unsigned long window, bool skip) {
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


void X11Windows::showOnEveryWorkspace(X11Display& display, unsigned long window) {
    Display* d = display.get();
    if (!d || !window)
        return;
    X11ErrorTrap trap(d, BadWindow);
    const Atom desktop = XInternAtom(d, "_NET_WM_DESKTOP", False);
    // The desktop number that means all of them.
    const unsigned long all = 0xFFFFFFFF;
    XChangeProperty(d, window, desktop, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&all), 1);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = desktop;
    message.xclient.format = 32;
    message.xclient.data.l[0] = long(all);
    message.xclient.data.l[1] = 1;
    XSendEvent(d, display.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
    XFlush(d);
    trap.caught();
}
