#pragma once

#include "calls/AudioTap.h"
#include "calls/CallJobs.h"
#include "calls/LiveTranscript.h"
#include "calls/Segmenter.h"
#include "calls/VoiceLevel.h"
#include "core/SerialQueue.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class CallAudio;
class CallAudioWriter;
class Clock;
class EchoGate;
class MeetingLevels;
class MeetingStore;
class Mic;
class Scheduler;
class Settings;

// Records one call at a time into a meeting while it goes on: the microphone (the user, through
// the echo gate) and the computer's audio (the far side) are written to one file per side, cut into
// pieces and turns, and transcribed live. After the call it drains the remaining work, clears
// the draft marks and packs or deletes the audio.
//
// Threads: the published state, the store and the engine requests belong to the main thread;
// the audio, the segmenters and the job lists to "voxmere.meeting"; the tap to
// "voxmere.tap.control".
class MeetingRecorder : public QObject {
    Q_OBJECT
  public:
    static constexpr double outputCheckSeconds = 3;
    static constexpr double drainLimitSeconds = 120;

    struct Services {
        Scheduler& main;
        Clock& clock;
        Settings& settings;
        MeetingStore& store;
        CallAudio& audio;
        Mic& mic;
        MeetingLevels& levels;
        LiveTranscript::Transcribe transcribe;
        std::function<std::unique_ptr<AudioTap>(AudioTap::OnSamples)> makeTap;
        std::function<std::optional<QString>()> defaultOutputUID;
        // Separates the far side into speakers after the call, then runs `then`.
        std::function<void(const QUuid& meeting, std::function<void()> then)> findSpeakers;
        size_t jobCapSamples = CallJobs::defaultCap;
    };

    explicit MeetingRecorder(Services services, QObject* parent = nullptr);
    ~MeetingRecorder() override;

    void start(const std::optional<QString>& app = std::nullopt,
               const std::optional<QString>& sourceKey = std::nullopt);
    void stop();

    bool isRecording() const { return recording; }
    bool finishing() const { return finishing_; }
    bool systemAudioOK() const { return audioOK; }
    std::optional<QUuid> meetingID() const { return meeting; }
    bool engineTrouble() const { return transcript.engineTrouble(); }
    const std::optional<QString>& sourceKey() const { return source; }

    // Blocks until the recorder's queues have done what was asked of them so far.
    void sync();
    // The most audio the job lists have held during the last call, in samples.
    size_t peakQueuedSamples();

  signals:
    // After start, after stop, when a call has been finished, and when the engine trouble or
    // the computer audio changes.
    void stateChanged();

  private:
    void openWriters(const QUuid& id, const QDateTime& now);
    void resetQueue(const QUuid& id, double start);
    void connectSide(Segmenter& segmenter, const SpeakerKey& who);
    void micIntake(std::vector<int16_t> samples);
    void tapIntake(std::vector<int16_t> samples);
    void onLevel(const SpeakerKey& who, float level, bool talking);
    void onPiece(const SpeakerKey& who, const Segmenter::Samples& samples, double start,
                 const QUuid& turn);
    void onTurnEnd(const SpeakerKey& who, const QUuid& turn, double start,
                   const Segmenter::Samples& samples);
    void enqueue(CallJob job);
    void pump();
    void release(quint64 generation);
    void flushOnStop();
    void abandonDrain();
    bool startTap();
    void stopTap();
    void checkOutput();
    void scheduleOutputCheck(quint64 generation);
    void afterCall(const std::optional<QUuid>& id, bool dropped);
    void disposeAudio(const QUuid& id, bool dropped);

    Services s;
    LiveTranscript transcript;

    // Main thread.
    bool recording = false;
    bool finishing_ = false;
    bool audioOK = true;
    std::optional<QUuid> meeting;
    std::optional<QString> source;
    quint64 callGeneration = 0;

    // On q.
    std::unique_ptr<Segmenter> you;
    std::unique_ptr<Segmenter> them;
    bool accepting = false;
    CallJobs jobs;
    bool busy = false;
    bool draining = false;
    bool dropped = false;
    quint64 jobGeneration = 0;
    std::optional<QUuid> queueMeetingID;
    std::unique_ptr<EchoGate> gate;
    QHash<SpeakerKey, float> peak;
    VoiceLevel voice;
    QSet<QUuid> keptTurns;
    QHash<SpeakerKey, std::shared_ptr<CallAudioWriter>> audio;
    double startDate = 0;

    // On tapQueue.
    std::unique_ptr<AudioTap> tap;

    // Last, so their workers stop before the members their work uses go away.
    SerialQueue tapQueue{QStringLiteral("voxmere.tap.control")};
    SerialQueue q{QStringLiteral("voxmere.meeting")};
};
