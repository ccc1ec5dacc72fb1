#include "audio/Mic.h"

#include "audio/PulseMicCapture.h"
#include "engine/Wav.h"
#include "platform/PulseContext.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
const QString always = QStringLiteral("always");
const QString off = QStringLiteral("off");

// The system log of the desktop is our standard error.
void systemLog(const QString& message) {
    std::fprintf(stderr, "%s\n", ("Voxmere: " + message).toUtf8().constData());
    std::fflush(stderr);
}
} // namespace

Mic::Mic(Settings& settings, Scheduler& main, std::unique_ptr<MicCapture> backEnd)
    : s(settings), mainThread(main), capture(std::move(backEnd)), mode(settings.micMode()),
      device(settings.micDevice()) {
    capture->onChunk = [this](std::vector<qint16> chunk) { process(std::move(chunk)); };
    // A device coming or going keeps what the pre-roll heard; only the user's choice of
    // another device forgets it.
    capture->onChange = [this] {
        q.async([this] {
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
    static Mic mic(Settings::shared(), Scheduler::main(),
                   std::make_unique<PulseMicCapture>(PulseContext::shared()));
    return mic;
}

void Mic::start() {
    onMainThread([this] { ++idleGeneration; });
    q.async([this] {
        samples = capture->running() ? preroll : std::vector<qint16>{};
        preroll.clear();
        capturing_ = true;
        if (const auto error = ensureRunning())
            systemLog("mic start failed: " + *error);
    });
}

Mic::Recording Mic::stop() {
    const std::vector<qint16> heard = stopSamples();
    return {wav(heard), double(heard.size()) / sampleRate};
}

std::vector<qint16> Mic::stopSamples() {
    std::vector<qint16> heard;
    q.sync([&] {
        capturing_ = false;
        heard.swap(samples);
    });
    scheduleIdle();
    return heard;
}

std::vector<qint16> Mic::recorded(qsizetype from) {
    std::vector<qint16> copy;
    q.sync([&] {
        const auto first = size_t(std::max<qsizetype>(from, 0));
        if (first < samples.size())
            copy.assign(samples.begin() + qsizetype(first), samples.end());
    });
    return copy;
}

bool Mic::capturing() {
    bool on = false;
    q.sync([&] { on = capturing_; });
    return on;
}

bool Mic::running() {
    bool on = false;
    q.sync([&] { on = capture->running(); });
    return on;
}

void Mic::setMeeting(bool on) {
    q.async([this, on] {
        meetingActive = on;
        if (!on)
            return;
        if (const auto error = ensureRunning())
            systemLog("mic start failed: " + *error);
    });
    if (!on)
        scheduleIdle();
}

void Mic::setMeetingSink(std::function<void(const std::vector<qint16>&)> consumer) {
    std::lock_guard guard(sinkLock);
    sink = std::move(consumer);
}

std::function<void(const std::vector<qint16>&)> Mic::meetingSink() {
    std::lock_guard guard(sinkLock);
    return sink;
}

void Mic::applyMode() {
    q.async([this, chosen = s.micMode()] {
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

void Mic::deviceChanged() {
    q.async([this, chosen = s.micDevice()] {
        device = chosen;
        restart(true);
    });
}

void Mic::scheduleIdle() {
    onMainThread([this] {
        const quint64 generation = ++idleGeneration;
        const QString current = s.micMode();
        if (current == always)
            return;
        if (current == off) {
            q.async([this] { stopUnlessNeeded(false); });
            return;
        }
        // Any other value, "warm" included, keeps capture running for a while after use.
        std::weak_ptr<int> living = alive;
        mainThread.after(warmSeconds, [this, living, generation] {
            // Switching to "always" meanwhile must not stop capture for good.
            if (living.expired() || generation != idleGeneration || s.micMode() == always)
                return;
            q.async([this] { stopUnlessNeeded(true); });
        });
    });
}

void Mic::injectForTest(std::vector<qint16> injected) {
    q.async([this, injected = std::move(injected)] {
        if (capturing_)
            samples.insert(samples.end(), injected.begin(), injected.end());
    });
}

std::vector<MicDevice> Mic::inputDevices() {
    return PulseMicCapture::inputDevices(PulseContext::shared());
}

QByteArray Mic::wav(const std::vector<qint16>& samples) {
    return Wav::bytes(samples);
}

double Mic::level(const std::vector<qint16>& chunk) {
    if (chunk.empty())
        return 0;
    double sum = 0;
    for (const qint16 sample : chunk) {
        const double x = sample / 32768.0;
        sum += x * x;
    }
    const double rms = std::sqrt(sum / double(chunk.size()));
    return std::clamp((20 * std::log10(std::max(rms, 1e-6)) + 50) / 50, 0.0, 1.0);
}

void Mic::process(std::vector<qint16> chunk) {
    {
        std::lock_guard guard(sinkLock);
        if (sink)
            sink(chunk);
    }
    q.async([this, chunk = std::move(chunk)]() mutable { take(std::move(chunk)); });
}

void Mic::take(std::vector<qint16> chunk) {
    if (capturing_ && !testFeed_) {
        samples.insert(samples.end(), chunk.begin(), chunk.end());
        if (onLevel)
            onMainThread([this, value = level(chunk)] { onLevel(value); });
        return;
    }
    preroll.insert(preroll.end(), chunk.begin(), chunk.end());
    if (preroll.size() > size_t(prerollMax))
        preroll.erase(preroll.begin(), preroll.end() - prerollMax);
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
