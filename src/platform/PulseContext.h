#pragma once

#include <QString>

#include <pulse/pulseaudio.h>

#include <functional>
#include <map>

// The one connection to the sound server, served by a threaded main loop. Every pa_* call on
// the context or its streams must hold the loop's lock (`Lock`); callbacks run on the loop
// thread with the lock already held, so they must never wait. The connection is made on first
// use and made again after the server went away, so a restarted server is picked up by the next
// caller without restarting the process.
class PulseContext {
  public:
    explicit PulseContext(const QString& clientName);
    ~PulseContext();
    PulseContext(const PulseContext&) = delete;
    PulseContext& operator=(const PulseContext&) = delete;

    class Lock {
      public:
        explicit Lock(PulseContext& c) : loop(c.loop) { pa_threaded_mainloop_lock(loop); }
        ~Lock() { pa_threaded_mainloop_unlock(loop); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        pa_threaded_mainloop* loop;
    };

    // Under the lock, never on the loop thread: connects unless ready, waiting a few seconds at
    // most. False when no server answers.
    bool connect();
    // Under the lock: the context, or null before the first connect.
    pa_context* context() const { return c; }
    // For timers on the loop thread.
    pa_mainloop_api* api() const { return pa_threaded_mainloop_get_api(loop); }
    bool ready() const;
    // Under the lock: releases it until `done` holds, re-checking whenever a callback calls
    // `signal`; gives up after a few seconds so a server that stopped answering cannot hang
    // the caller. Returns `done()`.
    bool waitUntil(const std::function<bool()>& done);
    // From callbacks: wakes every waiter.
    void signal();
    // Under the lock: takes over the request's operation and waits until it has finished (or
    // was cancelled by a lost connection). Its callback must call `signal`.
    void await(pa_operation* request);

    using Listener = std::function<void(pa_subscription_event_type_t event, uint32_t index)>;
    // Under the lock: server events of the facilities in `mask`, on the loop thread. Kept across
    // reconnections. Returns a key for `unsubscribe`.
    int subscribe(pa_subscription_mask_t mask, Listener listener);
    void unsubscribe(int key);

  private:
    void reset();
    bool awaitConnection();
    void updateSubscription();
    static void onState(pa_context* context, void* self);
    static void onEvent(pa_context* context, pa_subscription_event_type_t event, uint32_t index,
                        void* self);

    QString name;
    pa_threaded_mainloop* loop = nullptr;
    pa_context* c = nullptr;
    std::map<int, std::pair<pa_subscription_mask_t, Listener>> listeners;
    int nextKey = 1;
};
