#pragma once

#include "core/MicMode.h"
#include "core/Scheduler.h"
#include "core/SerialQueue.h"
#include "audio/MicCapture.h"
#include "audio/MicDevice.h"

#include <QByteArray>
#include <QObject>
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
// running, as the chosen mode says, holding the last 0.3 s so the next recording starts with
// what was said just before the key went down.
//
// Threads: the "voxmere.mic" queue owns the recording, the pre-roll and every start and stop of
// capture; the capture thread calls the meeting sink; the main thread owns the idle timer and
// receives levels. Call the public operations from the main thread.
//
// Waking another thread costs more than anything done with a chunk, so the capture thread keeps
// chunks until five seconds have piled up, and sends a recording's levels (one per 0.1 s of
// audio) to the main thread two at a time. An operation hands the queue the chunks that arrived
// before it was called, so the queue still sees chunks and operations in the order they happened.
class Mic : public QObject {
    Q_OBJECT
  public:
    struct Recording {
        QByteArray wav;
        double seconds = 0;
    };
    static constexpr int prerollMax = 4800;
    static constexpr int sampleRate = 16000;
    static constexpr double warmSeconds = 300;
    static constexpr size_t handOffSamples = 80000;
    static constexpr size_t levelStepSamples = 1600;
    static constexpr size_t levelsPerHandOff = 2;

    // `main` runs work on the main thread (Scheduler::main() outside tests). `mode` and `device`
    // are the chosen ones (an empty device: the system default); nothing runs until the first
    // `applyMode`.
    Mic(Scheduler& main, std::unique_ptr<MicCapture> capture, MicMode mode, QString device);
    ~Mic() override;

    // Begins a dictation recording, with the pre-roll in front when capture was running.
    void start();
    // Ends the recording at once, without what is still on its way: for recordings thrown away.
    Recording stop();
    std::vector<int16_t> stopSamples();
    // Ends the recording once the audio captured up to this call has arrived, so the last word
    // is never cut, and hands it to `done` on the main thread; right away, before returning, when
    // nothing is on its way. A `start` meanwhile ends the wait with what has arrived.
    void stopSamples(std::function<void(std::vector<int16_t>)> done);
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

    // Always keeps capture running, off stops it between uses, warm keeps it for `warmSeconds`
    // after use.
    void applyMode(MicMode mode);
    // Records from this source from now on (empty: the system default), forgetting the pre-roll.
    void setDevice(const QString& device);
    void scheduleIdle();

    // The dictation self-test: hardware chunks then only feed the pre-roll, and
    // `injectForTest` stands in for the microphone.
    void injectForTest(std::vector<int16_t> samples);
    bool testFeed() const { return testFeed_; }
    void setTestFeed(bool on) { testFeed_ = on; }

    static QByteArray wav(std::span<const int16_t> samples);
    // 0 at -50 dBFS and below, 1 at full scale.
    static double level(std::span<const int16_t> chunk);
    static double level(double sumOfSquares, size_t count);

  signals:
    // The level (0…1) of every 0.1 s recorded, on the main thread.
    void levelMeasured(double level);

  private:
    void process(std::span<const int16_t> chunk);
    // Under arrivingLock.
    void measure(std::span<const int16_t> chunk);
    // Under arrivingLock: hands q what has arrived and the main thread the pending levels, then
    // `work` if any. Posting under the lock keeps batches in the order they arrived.
    void handOff(std::function<void()> work);
    void postLevels();
    // Under arrivingLock: whether the chunks from now on are a recording's.
    void recordLevels(bool on);
    void take(const std::vector<int16_t>& batch);
    // Work on q, after the chunks that arrived before the call. `recording`, when given, says
    // whether the chunks after the call are a recording's, whose levels the main thread shows.
    void async(std::function<void()> work, std::optional<bool> recording = std::nullopt);
    void sync(const std::function<void()>& work, std::optional<bool> recording = std::nullopt);
    // On q: hands the recording waiting for its end to its taker.
    void endDrainingStop();
    std::optional<QString> ensureRunning();
    void restart(bool forgetPreroll);
    void stopUnlessNeeded(bool forgetPreroll);

    Scheduler& mainThread;
    // Owned by the main thread: the mode as last applied, for the idle timer.
    MicMode chosenMode;
    std::unique_ptr<MicCapture> capture;

    // Owned by q.
    std::vector<int16_t> samples;
    std::vector<int16_t> preroll;
    bool capturing_ = false;
    bool meetingActive = false;
    // The taker of a recording whose end is still on its way; a drain whose generation has
    // moved on ends nothing.
    std::function<void(std::vector<int16_t>)> drainingStop;
    quint64 drainGeneration = 0;
    MicMode mode;
    QString device;
    QString lastDevice;

    // Owned by the main thread: a timer whose generation has moved on does nothing.
    quint64 idleGeneration = 0;

    std::mutex sinkLock;
    std::function<void(std::span<const int16_t>)> sink;
    std::atomic<bool> testFeed_ = false;

    // Filled on the capture thread, handed to q in batches; levels go to the main thread.
    std::mutex arrivingLock;
    std::vector<int16_t> arriving;
    bool reportLevels = false;
    // The levels not yet sent, and the sum of squares of the step being measured.
    std::vector<double> levels;
    double stepEnergy = 0;
    size_t stepFill = 0;

    // Last, so it is joined before anything its work touches goes away.
    SerialQueue q{QStringLiteral("voxmere.mic")};
};
