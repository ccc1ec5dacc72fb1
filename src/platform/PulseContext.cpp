#include "platform/PulseContext.h"

#include "platform/PulseOperation.h"

#include <vector>

namespace {
// A server that accepts the socket but never answers must not hang the caller.
constexpr pa_usec_t answerTimeout = 3 * PA_USEC_PER_SEC;

bool settled(pa_context_state_t state) {
    return state == PA_CONTEXT_READY || state == PA_CONTEXT_FAILED ||
           state == PA_CONTEXT_TERMINATED;
}

struct Deadline {
    PulseContext* context;
    bool passed = false;
};
} // namespace

PulseContext::PulseContext(const QString& clientName) : name(clientName) {
    loop = pa_threaded_mainloop_new();
    pa_threaded_mainloop_set_name(loop, "pulse");
    pa_threaded_mainloop_start(loop);
}

PulseContext::~PulseContext() {
    {
        Lock lock(*this);
        listeners.clear();
        reset();
    }
    pa_threaded_mainloop_stop(loop);
    pa_threaded_mainloop_free(loop);
}

bool PulseContext::ready() const {
    return c && pa_context_get_state(c) == PA_CONTEXT_READY;
}

bool PulseContext::connect() {
    if (c) {
        const pa_context_state_t state = pa_context_get_state(c);
        if (state == PA_CONTEXT_READY)
            return true;
        if (!settled(state))
            return awaitConnection(); // another thread is connecting right now
        reset();
    }
    c = pa_context_new(pa_threaded_mainloop_get_api(loop), name.toUtf8().constData());
    if (!c)
        return false;
    pa_context_set_state_callback(c, &PulseContext::onState, this);
    pa_context_set_subscribe_callback(c, &PulseContext::onEvent, this);
    // Starting a sound server is the desktop's business, not ours.
    if (pa_context_connect(c, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return false;
    return awaitConnection();
}

bool PulseContext::awaitConnection() {
    waitUntil([this] { return !c || settled(pa_context_get_state(c)); });
    return ready();
}

bool PulseContext::waitUntil(const std::function<bool()>& done) {
    pa_mainloop_api* loopApi = api();
    Deadline deadline{this};
    timeval when;
    pa_timeval_add(pa_gettimeofday(&when), answerTimeout);
    pa_time_event* timer = loopApi->time_new(
        loopApi, &when,
        [](pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
            auto* d = static_cast<Deadline*>(data);
            d->passed = true;
            d->context->signal();
        },
        &deadline);
    while (!done() && !deadline.passed)
        pa_threaded_mainloop_wait(loop);
    loopApi->time_free(timer);
    return done();
}

void PulseContext::reset() {
    if (!c)
        return;
    pa_context_set_state_callback(c, nullptr, nullptr);
    pa_context_set_subscribe_callback(c, nullptr, nullptr);
    pa_context_disconnect(c);
    pa_context_unref(c);
    c = nullptr;
}

void PulseContext::signal() {
    pa_threaded_mainloop_signal(loop, 0);
}

void PulseContext::await(pa_operation* request) {
    if (!request)
        return;
    PulseOperation op(request);
    if (!waitUntil([&op] { return !op.running(); }))
        op.cancel();
}

int PulseContext::subscribe(pa_subscription_mask_t mask, Listener listener) {
    const int key = nextKey++;
    listeners.emplace(key, std::make_pair(mask, std::move(listener)));
    updateSubscription();
    return key;
}

void PulseContext::unsubscribe(int key) {
    listeners.erase(key);
    updateSubscription();
}

void PulseContext::updateSubscription() {
    if (!ready())
        return;
    unsigned mask = PA_SUBSCRIPTION_MASK_NULL;
    for (const auto& [key, entry] : listeners)
        mask |= entry.first;
    // Nothing waits for the answer: events simply start or stop coming.
    PulseOperation(pa_context_subscribe(c, pa_subscription_mask_t(mask), nullptr, nullptr));
}

void PulseContext::onState(pa_context* context, void* self) {
    auto* me = static_cast<PulseContext*>(self);
    // Subscriptions belong to a connection; a new one must ask again.
    if (pa_context_get_state(context) == PA_CONTEXT_READY)
        me->updateSubscription();
    me->signal();
}

void PulseContext::onEvent(pa_context*, pa_subscription_event_type_t event, uint32_t index,
                           void* self) {
    auto* me = static_cast<PulseContext*>(self);
    const unsigned facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    // A listener may unsubscribe itself while we iterate.
    std::vector<Listener> matching;
    for (const auto& [key, entry] : me->listeners)
        if (entry.first & (1u << facility))
            matching.push_back(entry.second);
    for (const auto& listener : matching)
        listener(event, index);
}
