#pragma once

#include "audio/MicCapture.h"
#include "platform/PulseContext.h"
#include "platform/PulseRecordStream.h"
#include "platform/PulseServerInfo.h"

// Microphone capture from a PulseAudio source. The server converts to 16 kHz mono; a changed
// default source, a new or removed source and a dead stream are reported through `onChange`.
class PulseMicCapture : public MicCapture {
  public:
    explicit PulseMicCapture(PulseContext& context);
    ~PulseMicCapture() override;

    std::vector<MicDevice> devices() override;
    std::optional<QString> start(const QString& uid) override;
    bool drain(std::function<void()> drained) override;
    void stop() override;
    bool running() const override;

    // Sources that are not monitors: id = index, uid = source name, name = description.
    static std::vector<MicDevice> inputDevices(PulseContext& context);

  private:
    void onServerEvent(pa_subscription_event_type_t event);
    void onServerInfo(const PulseServerInfo& info);
    void changed();

    PulseContext& ctx;
    PulseRecordStream stream;
    // Loop thread only: a copy of a chunk the server handed over at an odd address.
    std::vector<int16_t> unaligned;
    int subscription = 0;
    // Loop-thread state, guarded by the loop lock.
    QString defaultSource;
    PulseOperation infoRequest;
    std::function<void(const PulseServerInfo&)> infoArrived;
};
