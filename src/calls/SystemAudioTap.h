#pragma once

#include "calls/AudioTap.h"
#include "core/SerialQueue.h"
#include "platform/PulseContext.h"
#include "platform/PulseRecordStream.h"

#include <atomic>
#include <optional>

// What the computer plays, from the monitor of the server's default sink, converted by the
// server to 16 kHz mono. The stream never follows the server elsewhere: when its sink goes away
// the server would move it onto the default source, the microphone, and the user would be
// recorded as the other side. It fails instead, and the recorder starts a new tap.
class SystemAudioTap : public AudioTap {
  public:
    SystemAudioTap(PulseContext& context, OnSamples onSamples);
    ~SystemAudioTap() override;

    bool start() override;
    void stop() override;
    QString outputUID() const override { return uid; }
    bool failed() const override { return died; }

    // The default sink's name, or none when there is no server or no sink.
    static std::optional<QString> defaultOutputUID(PulseContext& context);

  private:
    PulseContext& ctx;
    const OnSamples onSamples;
    QString uid;
    std::atomic<bool> delivering = false;
    std::atomic<bool> died = false;
    PulseRecordStream stream;
    // Last, so it is joined before what its work uses goes away.
    SerialQueue io{QStringLiteral("voxmere.tap")};
};
