#include "delivery/Focus.h"

#include "platform/Keyboard.h"
#include "platform/X11Display.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSet>

namespace {

const QSet<QString>& terminals() {
    static const QSet<QString> names = {
        // As other systems name them.
        "com.mitchellh.ghostty",
        "com.apple.Terminal",
        "com.googlecode.iterm2",
        "dev.warp.Warp-Stable",
        "net.kovidgoyal.kitty",
        "org.alacritty",
        "com.github.wez.wezterm",
        "co.zeit.hyper",
        // WM_CLASS names and classes on Linux.
        "gnome-terminal",
        "gnome-terminal-server",
        "Gnome-terminal",
        "org.gnome.Terminal",
        "konsole",
        "org.kde.konsole",
        "xterm",
        "XTerm",
        "xfce4-terminal",
        "Xfce4-terminal",
        "tilix",
        "Tilix",
        "com.gexperts.Tilix",
        "terminator",
        "Terminator",
        "kitty",
        "Alacritty",
        "alacritty",
        "wezterm",
        "org.wezfurlong.wezterm",
        "foot",
        "footclient",
        "ghostty",
        "urxvt",
        "URxvt",
        "rxvt",
        "Rxvt",
    };
    return names;
}

// Roles whose elements take typed text, as AT-SPI names them.
const QSet<QString>& textRoles() {
    static const QSet<QString> roles = {"entry",    "text",          "password text",
                                        "terminal", "document text", "spin button"};
    return roles;
}

QString roleName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::EditableText:
        return QStringLiteral("text");
    case QAccessible::Terminal:
        return QStringLiteral("terminal");
    case QAccessible::SpinBox:
        return QStringLiteral("spin button");
    default:
        return {};
    }
}

// Our own windows answer the accessibility bus on the GUI thread, which is busy asking: the
// question would only time out. Qt knows their focus directly.
AtspiFocus::Result focusedInOwnWindows() {
    QObject* focused = QGuiApplication::focusObject();
    QAccessibleInterface* element =
        focused ? QAccessible::queryAccessibleInterface(focused) : nullptr;
    if (!element)
        return {AtspiFocus::Lookup::nothingFocused, {}};
    AtspiElement described;
    described.pid = QCoreApplication::applicationPid();
    described.role = roleName(element->role());
    described.editable = element->state().editable;
    for (QAccessibleInterface* up = element->parent();
         up && !described.editable && !described.editableAncestor; up = up->parent())
        described.editableAncestor = up->state().editable;
    return {AtspiFocus::Lookup::focused, described};
}

} // namespace

Focus::Focus(X11Display& display, const Keyboard& keyboard, AtspiFocus& accessibility)
    : display(display), keyboard(keyboard), accessibility(accessibility) {}

bool Focus::isTerminal(const X11Window& window) {
    return terminals().contains(window.instance) || terminals().contains(window.className);
}

FocusState Focus::decide(bool trusted, const std::optional<X11Window>& frontmost,
                         const std::function<AtspiFocus::Result(qint64 pid)>& focusedIn) {
    if (!trusted || !frontmost)
        return FocusState::unknown;
    if (isTerminal(*frontmost))
        return FocusState::editable;
    const AtspiFocus::Result found = focusedIn(frontmost->pid);
    if (found.lookup == AtspiFocus::Lookup::nothingFocused)
        return FocusState::notEditable;
    if (found.lookup != AtspiFocus::Lookup::focused)
        return FocusState::unknown;
    const AtspiElement& e = found.element;
    if (textRoles().contains(e.role) || e.editable || e.editableAncestor)
        return FocusState::editable;
    return FocusState::notEditable;
}

FocusState Focus::focusedFieldState() {
    return decide(keyboard.isAvailable(), X11Windows::frontmost(display), [this](qint64 pid) {
        if (pid == QCoreApplication::applicationPid())
            return focusedInOwnWindows();
        accessibility.start();
        return accessibility.focusedIn(pid);
    });
}

std::optional<QString> Focus::frontmostIdentifier() const {
    const auto window = X11Windows::frontmost(display);
    if (!window)
        return std::nullopt;
    return window->className;
}

void Focus::prewarmAccessibility() {
    if (keyboard.isAvailable())
        accessibility.start();
}
