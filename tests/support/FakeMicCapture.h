#pragma once

#include "audio/MicCapture.h"

#include <mutex>
#include <utility>

// A capture back end that hears only what the test pushes, on the test's own thread (standing
// in for the capture thread), and only while started.
class FakeMicCapture : public MicCapture {
  public:
    std::vector<MicDevice> devices() override {
        std::lock_guard guard(lock);
        return available;
    }

    std::optional<QString> start(const QString& uid) override {
        std::lock_guard guard(lock);
        starts.push_back(uid);
        if (failure)
            return failure;
        on = true;
        return std::nullopt;
    }

    void stop() override {
        std::lock_guard guard(lock);
        on = false;
    }

    bool running() const override {
        std::lock_guard guard(lock);
        return on;
    }

    // A pushed chunk has been delivered by the time `push` returns, so nothing is on its way
    // unless the test holds some back, as a sound server does, until `endDrain`.
    bool drain(std::function<void()> drained) override {
        std::lock_guard guard(lock);
        if (!holdingBack)
            return false;
        pendingDrain = std::move(drained);
        return true;
    }

    void holdBack() {
        std::lock_guard guard(lock);
        holdingBack = true;
    }

    void endDrain() {
        std::function<void()> drained;
        {
            std::lock_guard guard(lock);
            drained = std::exchange(pendingDrain, nullptr);
        }
        if (drained)
            drained();
    }

    // Delivers a chunk as the capture thread would; dropped while stopped.
    void push(const std::vector<int16_t>& chunk) {
        if (running())
            onChunk(chunk);
    }

    void setDevices(std::vector<MicDevice> devices) {
        std::lock_guard guard(lock);
        available = std::move(devices);
    }

    void setFailure(std::optional<QString> error) {
        std::lock_guard guard(lock);
        failure = std::move(error);
    }

    std::vector<QString> startedWith() const {
        std::lock_guard guard(lock);
        return starts;
    }

    // The back end noticing a configuration change (a device came or went).
    void reportChange() { onChange(); }

  private:
    mutable std::mutex lock;
    bool on = false;
    std::vector<MicDevice> available;
    std::optional<QString> failure;
    std::vector<QString> starts;
    bool holdingBack = false;
    std::function<void()> pendingDrain;
};
