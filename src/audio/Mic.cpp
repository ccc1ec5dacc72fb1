#include "audio/Mic.h"
#include "core/SystemLog.h"

#include "audio/PulseMicCapture.h"
#include "core/Shared.h"
#include "core/Wav.h"
#include "platform/PulseContext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <future>
#include <utility>

namespace {
const QString always = QStringLiteral("always");
const QString off = QStringLiteral("off");

} // namespace

Mic::Mic(Scheduler& main, std::unique_ptr<MicCapture> backEnd, QString initialMode,
         QString initialDevice)
    : mainThread(main), chosenMode(initialMode), capture(std::move(backEnd)),
      mode(std::move(initialMode)), device(std::move(initialDevice)) {
    capture->onChunk = [this](std::span<const int16_t> chunk) { process(chunk); };
    // A device coming or going keeps what the pre-roll heard; only the user's choice of
    // another device forgets it.
    capture->onChange = [this] {
        async([this] {
            if (capture) // not while the Mic is going away
                restart(false);
        });
    };
}

Mic::~Mic() {
    alive.reset();
    q.sync([this] { capture.reset(); });
}

Mic& Mic::shared() {
    return Shared<Mic>::get();
}

void Mic::setShared(Mic* mic) {
    Shared<Mic>::set(mic);
}

void Mic::start() {
    onMainThread([this] { ++idleGeneration; });
    async([this] {
        // The self-test's recording is its file alone, without the room before it.
        samples = capture->running() && !testFeed_ ? preroll : std::vector<int16_t>{};
        preroll.clear();
        capturing_ = true;
        if (const auto error = ensureRunning())
            systemLog("mic start failed: " + *error);
    });
}

Mic::Recording Mic::stop() {
    const std::vector<int16_t> heard = stopSamples();
    return {wav(heard), double(heard.size()) / sampleRate};
}

std::vector<int16_t> Mic::stopSamples() {
    std::vector<int16_t> heard;
    sync([&] {
        capturing_ = false;
        heard.swap(samples);
    });
    scheduleIdle();
    return heard;
}

std::vector<int16_t> Mic::recorded(qsizetype from) {
    std::vector<int16_t> copy;
    sync([&] {
        const auto first = size_t(std::max<qsizetype>(from, 0));
        if (first < samples.size())
            copy.assign(samples.begin() + qsizetype(first), samples.end());
    });
    return copy;
}

bool Mic::capturing() {
    bool on = false;
    sync([&] { on = capturing_; });
    return on;
}

bool Mic::running() {
    bool on = false;
    sync([&] { on = capture->running(); });
    return on;
}

void Mic::setMeeting(bool on) {
    async([this, on] {
        meetingActive = on;
        if (!on)
            return;
        if (const auto error = ensureRunning())
            systemLog("mic start failed: " + *error);
    });
    if (!on)
        scheduleIdle();
}

void Mic::setMeetingSink(std::function<void(std::span<const int16_t>)> consumer) {
    std::lock_guard guard(sinkLock);
    sink = std::move(consumer);
}

std::function<void(std::span<const int16_t>)> Mic::meetingSink() {
    std::lock_guard guard(sinkLock);
    return sink;
}

void Mic::applyMode(const QString& chosen) {
    chosenMode = chosen;
    async([this, chosen] {
        mode = chosen;
        if (mode == always) {
            ensureRunning();
            return;
        }
        if (capturing_ || meetingActive)
            return;
        if (mode == off)
            capture->stop();
    });
}

void Mic::setDevice(const QString& chosen) {
    async([this, chosen] {
        device = chosen;
        restart(true);
    });
}

void Mic::scheduleIdle() {
    onMainThread([this] {
        const quint64 generation = ++idleGeneration;
        const QString current = chosenMode;
        if (current == always)
            return;
        if (current == off) {
            async([this] { stopUnlessNeeded(false); });
            return;
        }
        // Any other value, "warm" included, keeps capture running for a while after use.
        std::weak_ptr<int> living = alive;
        mainThread.after(warmSeconds, [this, living, generation] {
            // Switching to "always" meanwhile must not stop capture for good.
            if (living.expired() || generation != idleGeneration || chosenMode == always)
                return;
            async([this] { stopUnlessNeeded(true); });
        });
    });
}

void Mic::injectForTest(std::vector<int16_t> injected) {
    async([this, injected = std::move(injected)] {
        if (capturing_)
            samples.insert(samples.end(), injected.begin(), injected.end());
    });
}

std::vector<MicDevice> Mic::inputDevices() {
    return PulseMicCapture::inputDevices(PulseContext::shared());
}

QByteArray Mic::wav(std::span<const int16_t> samples) {
    return Wav::bytes(samples);
}

double Mic::level(std::span<const int16_t> chunk) {
    if (chunk.empty())
        return 0;
    double sum = 0;
    for (const int16_t sample : chunk) {
        const double x = sample / 32768.0;
        sum += x * x;
    }
    const double rms = std::sqrt(sum / double(chunk.size()));
    return std::clamp((20 * std::log10(std::max(rms, 1e-6)) + 50) / 50, 0.0, 1.0);
}

void Mic::process(std::span<const int16_t> chunk) {
    {
        std::lock_guard guard(sinkLock);
        if (sink)
            sink(chunk);
    }
    std::lock_guard guard(arrivingLock);
    arriving.samples.insert(arriving.samples.end(), chunk.begin(), chunk.end());
    arriving.lengths.push_back(chunk.size());
    if (arriving.samples.size() >= handOffSamples)
        handOff(nullptr);
}

void Mic::handOff(std::function<void()> work) {
    Arrivals batch;
    if (!arriving.samples.empty()) {
        batch = std::exchange(arriving, {});
        // Room for the next batch in one allocation.
        arriving.samples.reserve(handOffSamples + 1024);
        arriving.lengths.reserve(8);
    }
    q.async([this, batch = std::move(batch), work = std::move(work)] {
        take(batch);
        if (work)
            work();
    });
}

void Mic::take(const Arrivals& batch) {
    if (batch.samples.empty())
        return;
    if (!capturing_ || testFeed_) {
        preroll.insert(preroll.end(), batch.samples.begin(), batch.samples.end());
        if (preroll.size() > size_t(prerollMax))
            preroll.erase(preroll.begin(), preroll.end() - prerollMax);
        return;
    }
    samples.insert(samples.end(), batch.samples.begin(), batch.samples.end());
    std::vector<double> levels;
    levels.reserve(batch.lengths.size());
    size_t at = 0;
    for (const size_t length : batch.lengths) {
        levels.push_back(level(std::span(batch.samples).subspan(at, length)));
        at += length;
    }
    onMainThread([this, levels = std::move(levels)] {
        if (onLevel)
            for (const double value : levels)
                onLevel(value);
    });
}

void Mic::async(std::function<void()> work) {
    std::lock_guard guard(arrivingLock);
    handOff(std::move(work));
}

void Mic::sync(const std::function<void()>& work) {
    if (q.isCurrent()) {
        work();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    async([&] {
        work();
        done.set_value();
    });
    finished.wait();
}

std::optional<QString> Mic::ensureRunning() {
    if (capture->running())
        return std::nullopt;
    std::optional<MicDevice> chosen;
    if (!device.isEmpty()) {
        const auto devices = capture->devices();
        const auto found = std::find_if(devices.begin(), devices.end(),
                                        [&](const MicDevice& d) { return d.uid == device; });
        if (found != devices.end())
            chosen = *found;
    }
    const auto error = capture->start(chosen ? chosen->uid : QString());
    if (chosen && chosen->uid != lastDevice) {
        systemLog(
            QStringLiteral("mic device set to %1 (status %2)").arg(chosen->id).arg(error ? -1 : 0));
        lastDevice = chosen->uid;
    }
    return error;
}

void Mic::restart(bool forgetPreroll) {
    capture->stop();
    if (forgetPreroll)
        preroll.clear();
    if (mode == always || capturing_ || meetingActive)
        ensureRunning();
}

void Mic::stopUnlessNeeded(bool forgetPreroll) {
    if (capturing_ || meetingActive)
        return;
    capture->stop();
    if (forgetPreroll)
        preroll.clear();
}

void Mic::onMainThread(std::function<void()> work) {
    mainThread.after(0, [living = std::weak_ptr<int>(alive), work = std::move(work)] {
        if (!living.expired())
            work();
    });
}
