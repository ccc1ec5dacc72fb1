#include "audio/Mic.h"
#include "core/SystemLog.h"

#include "core/Wav.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <future>
#include <utility>

Mic::Mic(Scheduler& main, std::unique_ptr<MicCapture> backEnd, MicMode initialMode,
         QString initialDevice)
    : mainThread(main), chosenMode(initialMode), capture(std::move(backEnd)), mode(initialMode),
      device(std::move(initialDevice)) {
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
    q.sync([this] { capture.reset(); });
}

void Mic::start() {
    mainThread.after(this, 0, [this] { ++idleGeneration; });
    async(
        [this] {
            endDrainingStop();
            // The self-test's recording is its file alone, without the room before it.
            samples = capture->running() && !testFeed_ ? preroll : std::vector<int16_t>{};
            preroll.clear();
            capturing_ = true;
            if (const auto error = ensureRunning())
                systemLog("mic start failed: " + *error);
        },
        true);
}

Mic::Recording Mic::stop() {
    const std::vector<int16_t> heard = stopSamples();
    return {wav(heard), double(heard.size()) / sampleRate};
}

std::vector<int16_t> Mic::stopSamples() {
    std::vector<int16_t> heard;
    sync(
        [&] {
            endDrainingStop();
            capturing_ = false;
            heard.swap(samples);
        },
        false);
    scheduleIdle();
    return heard;
}

void Mic::stopSamples(std::function<void(std::vector<int16_t>)> done) {
    bool waiting = false;
    sync(
        [&] {
            endDrainingStop();
            if (!capturing_ || testFeed_)
                return;
            const quint64 generation = ++drainGeneration;
            waiting = capture->drain([this, generation] {
                async([this, generation] {
                    if (generation == drainGeneration)
                        endDrainingStop();
                });
            });
            if (waiting)
                drainingStop = std::move(done);
        },
        false);
    if (!waiting)
        done(stopSamples());
}

void Mic::endDrainingStop() {
    if (!drainingStop)
        return;
    capturing_ = false;
    mainThread.after(this, 0,
                     [done = std::exchange(drainingStop, nullptr),
                      heard = std::exchange(samples, {})]() mutable { done(std::move(heard)); });
    scheduleIdle();
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

void Mic::applyMode(MicMode chosen) {
    chosenMode = chosen;
    async([this, chosen] {
        mode = chosen;
        if (mode == MicMode::always) {
            ensureRunning();
            return;
        }
        if (capturing_ || meetingActive)
            return;
        if (mode == MicMode::off)
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
    mainThread.after(this, 0, [this] {
        const quint64 generation = ++idleGeneration;
        const MicMode current = chosenMode;
        if (current == MicMode::always)
            return;
        if (current == MicMode::off) {
            async([this] { stopUnlessNeeded(false); });
            return;
        }
        // Warm: capture runs on for a while after use.
        mainThread.after(this, warmSeconds, [this, generation] {
            // Switching to always-ready meanwhile must not stop capture for good.
            if (generation != idleGeneration || chosenMode == MicMode::always)
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

QByteArray Mic::wav(std::span<const int16_t> samples) {
    return Wav::bytes(samples);
}

double Mic::level(std::span<const int16_t> chunk) {
    double sum = 0;
    for (const int16_t sample : chunk) {
        const double x = sample / 32768.0;
        sum += x * x;
    }
    return level(sum, chunk.size());
}

double Mic::level(double sumOfSquares, size_t count) {
    if (count == 0)
        return 0;
    const double rms = std::sqrt(sumOfSquares / double(count));
    return std::clamp((20 * std::log10(std::max(rms, 1e-6)) + 50) / 50, 0.0, 1.0);
}

void Mic::process(std::span<const int16_t> chunk) {
    {
        std::lock_guard guard(sinkLock);
        if (sink)
            sink(chunk);
    }
    std::lock_guard guard(arrivingLock);
    // The queue decides later whether these samples are recorded, but it decides in the same
    // order as this flag changes, and the meter can't wait that long.
    if (reportLevels && !testFeed_)
        measure(chunk);
    arriving.insert(arriving.end(), chunk.begin(), chunk.end());
    if (arriving.size() >= handOffSamples)
        handOff(nullptr);
}

void Mic::handOff(std::function<void()> work) {
    postLevels();
    std::vector<int16_t> batch;
    if (!arriving.empty()) {
        batch = std::exchange(arriving, {});
        // Room for the next batch in one allocation.
        arriving.reserve(batch.capacity());
    }
    q.async([this, batch = std::move(batch), work = std::move(work)] {
        take(batch);
        if (work)
            work();
    });
}

void Mic::measure(std::span<const int16_t> chunk) {
    for (const int16_t sample : chunk) {
        const double x = sample / 32768.0;
        stepEnergy += x * x;
        if (++stepFill == levelStepSamples) {
            levels.push_back(level(stepEnergy, stepFill));
            stepEnergy = 0;
            stepFill = 0;
        }
    }
    if (levels.size() >= levelsPerHandOff)
        postLevels();
}

void Mic::postLevels() {
    if (levels.empty())
        return;
    mainThread.after(this, 0, [this, batch = std::exchange(levels, {})] {
        for (const double value : batch)
            emit levelMeasured(value);
    });
}

void Mic::take(const std::vector<int16_t>& batch) {
    if (batch.empty())
        return;
    if (!capturing_ || testFeed_) {
        preroll.insert(preroll.end(), batch.begin(), batch.end());
        if (preroll.size() > size_t(prerollMax))
            preroll.erase(preroll.begin(), preroll.end() - prerollMax);
        return;
    }
    samples.insert(samples.end(), batch.begin(), batch.end());
}

void Mic::async(std::function<void()> work, std::optional<bool> recording) {
    std::lock_guard guard(arrivingLock);
    handOff(std::move(work));
    if (recording)
        recordLevels(*recording);
}

void Mic::recordLevels(bool on) {
    reportLevels = on;
    // A step begun before the change belongs to neither recording.
    stepEnergy = 0;
    stepFill = 0;
}

void Mic::sync(const std::function<void()>& work, std::optional<bool> recording) {
    if (q.isCurrent()) {
        if (recording) {
            std::lock_guard guard(arrivingLock);
            recordLevels(*recording);
        }
        work();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    async(
        [&] {
            work();
            done.set_value();
        },
        recording);
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
    if (mode == MicMode::always || capturing_ || meetingActive)
        ensureRunning();
}

void Mic::stopUnlessNeeded(bool forgetPreroll) {
    if (capturing_ || meetingActive)
        return;
    capture->stop();
    if (forgetPreroll)
        preroll.clear();
}
