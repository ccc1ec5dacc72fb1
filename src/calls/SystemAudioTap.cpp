#include "calls/SystemAudioTap.h"

#include "core/SystemLog.h"
#include "platform/PulseServerInfo.h"
#include "platform/PulseSink.h"

#include <QCoreApplication>

#include <vector>

namespace {
constexpr pa_sample_spec speechFormat{PA_SAMPLE_S16LE, 16000, 1};
// About 1024 frames of a 48 kHz device, like the microphone.
constexpr double fragmentSeconds = 1024.0 / 48000.0;
} // namespace

SystemAudioTap::SystemAudioTap(PulseContext& context, OnSamples onSamples)
    : ctx(context), onSamples(std::move(onSamples)), stream(context) {
    stream.onData = [this](const void* data, size_t bytes) {
        const auto* first = static_cast<const int16_t*>(data);
        std::vector<int16_t> chunk(first, first + bytes / sizeof(int16_t));
        if (chunk.empty())
            return;
        io.async([this, chunk = std::move(chunk)] {
            if (delivering)
                this->onSamples(chunk);
        });
    };
    stream.onFailed = [this] {
        died = true;
        if (onFailed)
            onFailed();
    };
}

SystemAudioTap::~SystemAudioTap() {
    stop();
}

std::optional<QString> SystemAudioTap::defaultOutputUID(PulseContext& context) {
    const auto info = PulseServerInfo::query(context);
    if (!info || info->defaultSinkName.isEmpty())
        return std::nullopt;
    return info->defaultSinkName;
}

bool SystemAudioTap::start() {
    const std::optional<QString> output = defaultOutputUID(ctx);
    if (!output)
        return false;
    uid = *output;
    const std::optional<PulseSink> sink = PulseSink::find(ctx, uid);
    if (!sink) {
        systemLog(QString("tap create failed %1").arg(PA_ERR_NOENTITY));
        return false;
    }
    delivering = true;
    const int error = stream.open(sink->monitorSourceName, speechFormat, fragmentSeconds,
                                  QCoreApplication::translate("SystemAudioTap", "Call audio"),
                                  PA_STREAM_DONT_MOVE);
    if (error != 0) {
        systemLog(QString("tap start failed %1").arg(error));
        stop();
        return false;
    }
    return true;
}

void SystemAudioTap::stop() {
    delivering = false;
    stream.close();
    // A chunk already being handed on finishes before this returns; later ones are dropped.
    io.sync([] {});
}
