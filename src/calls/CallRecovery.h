#pragma once

#include <QUuid>

#include <functional>
#include <optional>

class CallAudio;
class MeetingStore;
class Scheduler;
class Settings;

// At launch: the newest call cut off by a crash is transcribed again from its saved audio a few
// seconds later, and ageing out of old audio spares it until then.
class CallRecovery {
  public:
    using Retranscribe = std::function<void(const QUuid& id, std::function<void(bool ok)> then)>;
    struct Services {
        MeetingStore& store;
        CallAudio& audio;
        Settings& settings;
        Scheduler& main;
        Retranscribe retranscribe;
    };
    static constexpr double delaySeconds = 5;

    // The cut-off meeting that started last; among equals the first listed.
    static std::optional<QUuid> choose(const MeetingStore& store);
    // Tidies the call audio and schedules the recovery.
    static void start(const Services& s);
};
