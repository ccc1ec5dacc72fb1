#include "platform/AtspiFocus.h"

#include "core/Clock.h"
#include "platform/BoundedTreeSearch.h"
#include "platform/GErrorSlot.h"
#include "platform/GObjectRef.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusVariant>

#include <atspi/atspi.h>

namespace {

using Element = GObjectRef<AtspiAccessible>;

// A hung application must not freeze the caller for the library's default 25 s.
constexpr int callTimeoutMs = 1000;
constexpr int searchLimit = 2000;
// Tables and long lists can report millions of children (a spreadsheet's cells): one parent may
// not use up the whole search, and what lies beyond is given up on.
constexpr int childLimit = 500;
constexpr const char* focusEvent = "object:state-changed:focused";

bool hasState(AtspiAccessible* element, AtspiStateType state) {
    const GObjectRef<AtspiStateSet> states(atspi_accessible_get_state_set(element));
    return states && atspi_state_set_contains(states.get(), state);
}

std::optional<QString> roleName(AtspiAccessible* element) {
    GErrorSlot error;
    const AtspiRole role = atspi_accessible_get_role(element, error.out());
    if (error)
        return std::nullopt;
    gchar* name = atspi_role_get_name(role);
    const QString text = QString::fromUtf8(name);
    g_free(name);
    return text;
}

qint64 processOf(AtspiAccessible* element) {
    GErrorSlot error;
    const guint pid = atspi_accessible_get_process_id(element, error.out());
    return error ? 0 : pid;
}

std::optional<Element> childAt(const Element& parent, int index) {
    GErrorSlot error;
    Element child(atspi_accessible_get_child_at_index(parent.get(), index, error.out()));
    if (error || !child)
        return std::nullopt;
    return child;
}

std::optional<int> childCount(const Element& parent) {
    GErrorSlot error;
    const int count = atspi_accessible_get_child_count(parent.get(), error.out());
    if (error)
        return std::nullopt;
    return count;
}

bool anyAncestorEditable(AtspiAccessible* element) {
    GErrorSlot error;
    Element node(atspi_accessible_get_parent(element, error.out()));
    bool editable = false;
    for (int depth = 0; node && !error && !editable && depth < 64; ++depth) {
        editable = hasState(node.get(), ATSPI_STATE_EDITABLE);
        node = Element(atspi_accessible_get_parent(node.get(), error.out()));
    }
    return editable;
}

std::optional<AtspiElement> describe(AtspiAccessible* element) {
    const std::optional<QString> role = roleName(element);
    if (!role)
        return std::nullopt;
    AtspiElement described;
    described.role = *role;
    described.pid = processOf(element);
    described.editable = hasState(element, ATSPI_STATE_EDITABLE);
    described.editableAncestor = !described.editable && anyAncestorEditable(element);
    return described;
}

// None when the desktop couldn't be asked to the end before the deadline.
std::optional<Element> applicationOf(qint64 pid, const Clock& clock, double deadline) {
    const Element desktop(atspi_get_desktop(0));
    if (!desktop)
        return std::nullopt;
    const int count = childCount(desktop).value_or(0);
    for (int i = 0; i < count && clock.now() < deadline; ++i) {
        std::optional<Element> app = childAt(desktop, i);
        if (!app)
            return std::nullopt;
        if (processOf(app->get()) == pid)
            return app;
    }
    return std::nullopt;
}

// Other programs (screen readers do the same) only publish their trees while the desktop's
// accessibility switch is on.
void enableAccessibility() {
    QDBusInterface bus("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                       QDBusConnection::sessionBus());
    if (bus.isValid())
        bus.call("Set", "org.a11y.Status", "IsEnabled", QVariant::fromValue(QDBusVariant(true)));
}

} // namespace

struct AtspiFocus::Held {
    Element last;
    GObjectRef<AtspiEventListener> listener;
};

AtspiFocus::AtspiFocus(const Clock& clock) : clock(clock), held(std::make_unique<Held>()) {}

// The bus keeps a registered listener, which would call back into freed memory.
AtspiFocus::~AtspiFocus() {
    if (!running)
        return;
    GErrorSlot error;
    atspi_event_listener_deregister(held->listener.get(), focusEvent, error.out());
}

bool AtspiFocus::start() {
    if (running)
        return true;
    if (!QDBusConnection::sessionBus().isConnected())
        return false;
    enableAccessibility();
    if (atspi_init() > 1)
        return false;
    atspi_set_timeout(callTimeoutMs, -1);
    // A failed start is tried again at the next question: one listener serves every attempt.
    if (!held->listener)
        held->listener = GObjectRef<AtspiEventListener>(
            atspi_event_listener_new(&AtspiFocus::onFocus, this, nullptr));
    GErrorSlot error;
    running = atspi_event_listener_register(held->listener.get(), focusEvent, error.out());
    return running;
}

void AtspiFocus::onFocus(AtspiEvent* event, void* self) {
    auto* focus = static_cast<AtspiFocus*>(self);
    if (event->source && event->detail1 == 1)
        focus->remember(event->source);
    else if (event->source && event->source == focus->held->last.get())
        focus->remember(nullptr);
    g_boxed_free(atspi_event_get_type(), event);
}

void AtspiFocus::remember(AtspiAccessible* element) {
    held->last = Element::share(element);
}

AtspiFocus::Result AtspiFocus::focusedIn(qint64 pid) {
    if (!running || pid <= 0)
        return {};
    AtspiAccessible* last = held->last.get();
    if (last && processOf(last) == pid) {
        if (auto element = describe(last))
            return {Lookup::focused, *element};
        return {};
    }
    return searchIn(pid);
}

// Covers focus taken before the listener started; bounded so a huge or slow tree can't stall
// the GUI thread.
AtspiFocus::Result AtspiFocus::searchIn(qint64 pid) {
    if (!running || pid <= 0)
        return {};
    const double deadline = clock.now() + searchSeconds;
    const std::optional<Element> app = applicationOf(pid, clock, deadline);
    if (!app)
        return {};
    const BoundedTreeSearch<Element> search(
        {[](const Element& e) { return hasState(e.get(), ATSPI_STATE_FOCUSED); }, &childCount,
         &childAt},
        {searchLimit, childLimit}, clock);
    const auto answer = search.run(*app, deadline);
    if (answer.found) {
        if (auto element = describe(answer.found->get()))
            return {Lookup::focused, *element};
        return {};
    }
    // A search cut short can't say that nothing has focus.
    if (!answer.complete)
        return {};
    return {Lookup::nothingFocused, {}};
}
