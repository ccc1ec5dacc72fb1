#include "audio/PulseMicCapture.h"

#include "platform/PulseSource.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
const QString noMicrophone = QStringLiteral("No microphone");
constexpr pa_sample_spec speechFormat{PA_SAMPLE_S16LE, 16000, 1};
// Each fragment wakes the client library's thread. At the usual ~21 ms (1024 frames of a 48 kHz
// device) those wake-ups cost several seconds of processor time per hour of listening, most of
// it idle in "always" mode. The level meter shows one bar per 0.1 s, two of which fit in a
// fragment, and the stop drains what the server still holds, so nothing is lost by waiting
// longer between fragments.
constexpr double fragmentSeconds = 0.2;
} // namespace

PulseMicCapture::PulseMicCapture(PulseContext& context) : ctx(context), stream(context) {
    stream.onData = [this](const void* data, size_t bytes) {
        const size_t count = bytes / sizeof(int16_t);
        if (!onChunk || count == 0)
            return;
        // The server's memory is handed on as it is; only an odd address needs a copy.
        if (reinterpret_cast<uintptr_t>(data) % alignof(int16_t) == 0) {
            onChunk({static_cast<const int16_t*>(data), count});
            return;
        }
        unaligned.resize(count);
        std::memcpy(unaligned.data(), data, count * sizeof(int16_t));
        onChunk(unaligned);
    };
    stream.onFailed = [this] { changed(); };
    infoArrived = [this](const PulseServerInfo& info) { onServerInfo(info); };
    PulseContext::Lock lock(ctx);
    subscription = ctx.subscribe(
        pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SERVER),
        [this](pa_subscription_event_type_t event, uint32_t) { onServerEvent(event); });
}

PulseMicCapture::~PulseMicCapture() {
    stream.close();
    PulseContext::Lock lock(ctx);
    ctx.unsubscribe(subscription);
    infoRequest.cancel();
}

std::vector<MicDevice> PulseMicCapture::inputDevices(PulseContext& context) {
    std::vector<MicDevice> devices;
    for (const PulseSource& source : PulseSource::list(context))
        if (!source.monitor)
            devices.push_back({source.index, source.name, source.description});
    return devices;
}

std::vector<MicDevice> PulseMicCapture::devices() {
    return inputDevices(ctx);
}

std::optional<QString> PulseMicCapture::start(const QString& uid) {
    stream.close();
    const std::optional<PulseServerInfo> server = PulseServerInfo::query(ctx);
    if (!server)
        return noMicrophone;
    {
        PulseContext::Lock lock(ctx);
        defaultSource = server->defaultSourceName;
    }
    QString source = uid;
    if (source.isEmpty()) {
        // With no microphone at all the server falls back to a monitor as its default source;
        // recording the speakers instead would be worse than recording nothing.
        const auto inputs = devices();
        const bool isInput = std::any_of(inputs.begin(), inputs.end(), [&](const MicDevice& d) {
            return d.uid == server->defaultSourceName;
        });
        if (!isInput)
            return noMicrophone;
        source = server->defaultSourceName;
    }
    const int error = stream.open(source, speechFormat, fragmentSeconds,
                                  QCoreApplication::translate("PulseMicCapture", "Microphone"));
    if (error == 0)
        return std::nullopt;
    if (error == PA_ERR_NOENTITY || error == PA_ERR_CONNECTIONREFUSED ||
        error == PA_ERR_CONNECTIONTERMINATED)
        return noMicrophone;
    return QString::fromUtf8(pa_strerror(error));
}

bool PulseMicCapture::drain(std::function<void()> drained) {
    return stream.drain(std::move(drained));
}

void PulseMicCapture::stop() {
    stream.close();
}

bool PulseMicCapture::running() const {
    return stream.isOpen();
}

void PulseMicCapture::onServerEvent(pa_subscription_event_type_t event) {
    const unsigned facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const unsigned type = event & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SOURCE) {
        // A source changes whenever it starts or stops running: only arrivals and departures
        // are a new configuration.
        if (type == PA_SUBSCRIPTION_EVENT_NEW || type == PA_SUBSCRIPTION_EVENT_REMOVE)
            changed();
        return;
    }
    // The server changes for many reasons; only a new default source matters.
    if (infoRequest.running())
        return;
    infoRequest = PulseServerInfo::request(ctx, &infoArrived);
}

void PulseMicCapture::onServerInfo(const PulseServerInfo& info) {
    if (info.defaultSourceName == defaultSource)
        return;
    defaultSource = info.defaultSourceName;
    changed();
}

void PulseMicCapture::changed() {
    if (onChange)
        onChange();
}
