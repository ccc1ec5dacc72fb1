#pragma once

#include "core/Scheduler.h"
#include "core/SerialQueue.h"
#include "audio/MicCapture.h"
#include "audio/MicDevice.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

// The one microphone engine. It serves a dictation (between `start` and `stop`) and a call
// recording (every chunk through the meeting sink) at once. Between dictations it may keep
// running, as "micMode" says, holding the last 0.3 s so the next recording starts with what was
// said just before the key went down.
//
// Threads: the "voxmere.mic" queue owns the recording, the pre-roll and every start and stop of
// capture; the capture thread calls the meeting sink; the main thread owns the idle timer and
// receives levels. Call the public operations from the main thread.
//
// Chunks reach the queue in batches of about 0.1 s, and their levels reach the main thread the
// same way, so neither thread wakes for every 21 ms chunk. An operation hands the queue the
// chunks that arrived before it was called, so the queue still sees chunks and operations in
// the order they happened.
class Mic {
  public:
    struct Recording {
        QByteArray wav;
        double seconds = 0;
    };
    static constexpr int prerollMax = 4800;
    static constexpr int sampleRate = 16000;
    static constexpr double warmSeconds = 300;
    static constexpr size_t handOffSamples = 1600;

    // `main` runs work on the main thread (Scheduler::main() outside tests). `mode` and `device`
    // are the stored "micMode" and "micDevice" (empty: the system default); nothing runs until
    // the first `applyMode`.
    Mic(Scheduler& main, std::unique_ptr<MicCapture> capture, QString mode, QString device);
    ~Mic();
    Mic(const Mic&) = delete;
    Mic& operator=(const Mic&) = delete;

    static Mic& shared();
    static void setShared(Mic* mic);

    // Begins a dictation recording, with the pre-roll in front when capture was running.
    void start();
    Recording stop();
    std::vector<int16_t> stopSamples();
    // A copy of the recording from sample `from` on; the recording goes on.
    std::vector<int16_t> recorded(qsizetype from);
    bool capturing();
    // Capture is running (recording, idle with a pre-roll, or feeding a call).
    bool running();

    // A call recording needs capture whatever the mode.
    void setMeeting(bool on);
    // Called on the capture thread with every chunk while set: must be quick.
    void setMeetingSink(std::function<void(std::span<const int16_t>)> sink);
    std::function<void(std::span<const int16_t>)> meetingSink();
    // Set once at start-up: the level (0…1) of every recorded chunk, on the main thread.
    std::function<void(double)> onLevel;

    // "always" keeps capture running, "off" stops it between uses, anything else ("warm")
    // keeps it for `warmSeconds` after use.
    void applyMode(const QString& mode);
    // Records from this source from now on (empty: the system default), forgetting the pre-roll.
    void setDevice(const QString& device);
    void scheduleIdle();

    // The dictation self-test: hardware chunks then only feed the pre-roll, and
    // `injectForTest` stands in for the microphone.
    void injectForTest(std::vector<int16_t> samples);
    bool testFeed() const { return testFeed_; }
    void setTestFeed(bool on) { testFeed_ = on; }

    static std::vector<MicDevice> inputDevices();
    static QByteArray wav(std::span<const int16_t> samples);
    // 0 at -50 dBFS and below, 1 at full scale.
    static double level(std::span<const int16_t> chunk);

  private:
    // Chunks captured but not yet handed to q: their samples, one after the other, and lengths.
    struct Arrivals {
        std::vector<int16_t> samples;
        std::vector<size_t> lengths;
    };

    void process(std::span<const int16_t> chunk);
    // Under arrivingLock: hands q what has arrived, then `work` if any. Posting under the lock
    // keeps batches in the order they arrived.
    void handOff(std::function<void()> work);
    void take(const Arrivals& batch);
    // Work on q, after the chunks that arrived before the call.
    void async(std::function<void()> work);
    void sync(const std::function<void()>& work);
    std::optional<QString> ensureRunning();
    void restart(bool forgetPreroll);
    void stopUnlessNeeded(bool forgetPreroll);
    void onMainThread(std::function<void()> work);

    Scheduler& mainThread;
    // Owned by the main thread: the mode as last applied, for the idle timer.
    QString chosenMode;
    std::unique_ptr<MicCapture> capture;

    // Owned by q.
    std::vector<int16_t> samples;
    std::vector<int16_t> preroll;
    bool capturing_ = false;
    bool meetingActive = false;
    QString mode;
    QString device;
    QString lastDevice;

    // Owned by the main thread: a timer whose generation has moved on does nothing.
    quint64 idleGeneration = 0;

    std::mutex sinkLock;
    std::function<void(std::span<const int16_t>)> sink;
    std::atomic<bool> testFeed_ = false;

    // Filled on the capture thread, handed to q in batches.
    std::mutex arrivingLock;
    Arrivals arriving;

    // Main-thread work holds this weakly, so a late timer or level finds the Mic gone.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
    // Last, so it is joined before anything its work touches goes away.
    SerialQueue q{QStringLiteral("voxmere.mic")};
};
