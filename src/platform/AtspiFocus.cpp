#include "platform/AtspiFocus.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusVariant>
#include <QList>

#include <atspi/atspi.h>

#include <algorithm>
#include <optional>

namespace {

// A hung application must not freeze the caller for the library's default 25 s.
constexpr int callTimeoutMs = 1000;
constexpr int searchLimit = 2000;
// Tables and long lists can report millions of children (a spreadsheet's cells): one parent may
// not use up the whole search, and what lies beyond is given up on.
constexpr int childLimit = 500;

bool hasState(AtspiAccessible* element, AtspiStateType state) {
    AtspiStateSet* states = atspi_accessible_get_state_set(element);
    if (!states)
        return false;
    const bool has = atspi_state_set_contains(states, state);
    g_object_unref(states);
    return has;
}

QString roleName(AtspiAccessible* element, GError** error) {
    const AtspiRole role = atspi_accessible_get_role(element, error);
    if (*error)
        return {};
    gchar* name = atspi_role_get_name(role);
    const QString text = QString::fromUtf8(name);
    g_free(name);
    return text;
}

qint64 processOf(AtspiAccessible* element) {
    GError* error = nullptr;
    const guint pid = atspi_accessible_get_process_id(element, &error);
    if (error) {
        g_error_free(error);
        return 0;
    }
    return pid;
}

bool anyAncestorEditable(AtspiAccessible* element) {
    GError* error = nullptr;
    AtspiAccessible* node = atspi_accessible_get_parent(element, &error);
    bool editable = false;
    for (int depth = 0; node && !error && !editable && depth < 64; ++depth) {
        editable = hasState(node, ATSPI_STATE_EDITABLE);
        AtspiAccessible* parent = atspi_accessible_get_parent(node, &error);
        g_object_unref(node);
        node = parent;
    }
    if (node)
        g_object_unref(node);
    if (error)
        g_error_free(error);
    return editable;
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

AtspiFocus& AtspiFocus::shared() {
    static auto* focus = new AtspiFocus;
    return *focus;
}

AtspiFocus::~AtspiFocus() {
    if (last)
        g_object_unref(last);
    if (listener)
        g_object_unref(listener);
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
    if (!listener)
        listener = atspi_event_listener_new(&AtspiFocus::onFocus, this, nullptr);
    GError* error = nullptr;
    running = atspi_event_listener_register(listener, "object:state-changed:focused", &error);
    if (error)
        g_error_free(error);
    return running;
}

void AtspiFocus::onFocus(AtspiEvent* event, void* self) {
    auto* focus = static_cast<AtspiFocus*>(self);
    if (event->source && event->detail1 == 1)
        focus->remember(event->source);
    else if (event->source && event->source == focus->last)
        focus->remember(nullptr);
    g_boxed_free(atspi_event_get_type(), event);
}

void AtspiFocus::remember(AtspiAccessible* element) {
    if (element)
        g_object_ref(element);
    if (last)
        g_object_unref(last);
    last = element;
}

AtspiFocus::Result AtspiFocus::focusedIn(qint64 pid) {
    if (!running || pid <= 0)
        return {};
    if (last && processOf(last) == pid) {
        if (auto element = describe(last))
            return {Lookup::focused, *element};
        return {};
    }
    return searchIn(pid);
}

AtspiFocus::Result AtspiFocus::searchIn(qint64 pid) {
    if (!running || pid <= 0)
        return {};
    AtspiAccessible* app = applicationOf(pid);
    if (!app)
        return {};
    bool complete = true;
    Result result{Lookup::nothingFocused, {}};
    if (AtspiAccessible* found = searchFocused(app, complete)) {
        if (auto element = describe(found))
            result = {Lookup::focused, *element};
        else
            result = {};
        g_object_unref(found);
    } else if (!complete) {
        // A search cut short can't say that nothing has focus.
        result = {};
    }
    g_object_unref(app);
    return result;
}

AtspiAccessible* AtspiFocus::applicationOf(qint64 pid) {
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop)
        return nullptr;
    AtspiAccessible* match = nullptr;
    GError* error = nullptr;
    const int count = atspi_accessible_get_child_count(desktop, &error);
    for (int i = 0; !error && !match && i < count; ++i) {
        AtspiAccessible* app = atspi_accessible_get_child_at_index(desktop, i, &error);
        if (app && processOf(app) == pid)
            match = app;
        else if (app)
            g_object_unref(app);
    }
    if (error)
        g_error_free(error);
    g_object_unref(desktop);
    return match;
}

// Covers focus taken before the listener started; bounded so a huge tree can't stall us.
AtspiAccessible* AtspiFocus::searchFocused(AtspiAccessible* app, bool& complete) {
    QList<AtspiAccessible*> queue{static_cast<AtspiAccessible*>(g_object_ref(app))};
    AtspiAccessible* found = nullptr;
    int visited = 0;
    while (!queue.isEmpty() && !found && visited++ < searchLimit) {
        AtspiAccessible* node = queue.takeFirst();
        if (node != app && hasState(node, ATSPI_STATE_FOCUSED)) {
            found = node;
            break;
        }
        GError* error = nullptr;
        const int count = atspi_accessible_get_child_count(node, &error);
        const int wanted = std::min(count, childLimit);
        int i = 0;
        for (; !error && i < wanted && visited + queue.size() < searchLimit; ++i)
            if (AtspiAccessible* child = atspi_accessible_get_child_at_index(node, i, &error))
                queue << child;
        if (!error && i < count)
            complete = false;
        if (error)
            g_error_free(error);
        g_object_unref(node);
    }
    if (!found && !queue.isEmpty())
        complete = false;
    for (AtspiAccessible* node : queue)
        g_object_unref(node);
    return found;
}

std::optional<AtspiElement> AtspiFocus::describe(AtspiAccessible* element) {
    GError* error = nullptr;
    AtspiElement described;
    described.role = roleName(element, &error);
    if (error) {
        g_error_free(error);
        return std::nullopt;
    }
    described.pid = processOf(element);
    described.editable = hasState(element, ATSPI_STATE_EDITABLE);
    described.editableAncestor = !described.editable && anyAncestorEditable(element);
    return described;
}
