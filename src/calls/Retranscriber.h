#pragma once

#include "calls/EngineWait.h"
#include "calls/LiveTranscript.h"
#include "core/SerialQueue.h"
#include "meetings/Meeting.h"
#include "text/VocabEntry.h"

#include <QObject>
#include <QUuid>

#include <functional>
#include <optional>

class CallAudio;
class MeetingStore;
class Settings;
class SpeakerFinder;

// Rebuilds a call's whole transcript from its saved audio: each side is cut into turns again
// with the live segmenter, every turn is transcribed afresh, and the new lines replace the old
// ones in one step, so a run that fails leaves the transcript as it was. Speakers are found
// again afterwards when the user wants that after calls.
class Retranscriber : public QObject {
    Q_OBJECT
  public:
    struct Services {
        Settings& settings;
        MeetingStore& store;
        CallAudio& audio;
        SpeakerFinder& finder;
        LiveTranscript::Transcribe transcribe;
        // Whether a call is being recorded or finished.
        std::function<bool()> recording;
    };
    // A stretch of one side's audio to transcribe.
    struct Turn {
        SpeakerKey who;
        double start = 0;
        qint64 offset = 0;
        qint64 count = 0;
    };

    explicit Retranscriber(Services services, QObject* parent = nullptr);
    ~Retranscriber() override;

    // Ignored while other long work runs. `then`, when given, runs on the main thread once the
    // run and any speaker finding after it are over, with whether the transcript was replaced;
    // it is not called when the run is ignored.
    void retranscribe(const QUuid& id, std::function<void(bool ok)> then = {});
    std::optional<QUuid> rerunID() const { return running; }
    double rerunProgress() const { return progress; }

    // Both sides cut into turns, in order of start; at equal starts the side given first leads.
    static QList<Turn> cut(const QList<std::pair<SpeakerKey, std::vector<int16_t>>>& sides);
    struct Result {
        Meeting meeting;
        bool failures = false;
        int turns = 0;
    };
    using Ask = std::function<std::optional<QString>(const QByteArray& wav, const QString& prompt)>;
    // The meeting rebuilt from the turns; stops after three failed requests in a row.
    static Result rebuild(const Meeting& copy, const QList<Turn>& turns,
                          const QHash<SpeakerKey, std::vector<int16_t>>& audio,
                          const QList<VocabEntry>& vocab, const Ask& ask,
                          const std::function<void(double)>& onProgress = {});

  signals:
    void stateChanged();
    // A run that left the transcript as it was, and why, for the user; before the state says
    // the run is over.
    void failed(const QString& message, const QString& text);

  private:
    void work(const QUuid& id, const Meeting& copy, const QList<VocabEntry>& vocab,
              std::function<void(bool)> then);
    void handOver(const QUuid& id, const Result& r, std::function<void(bool)> then);

    Services s;
    EngineWait engine;
    std::optional<QUuid> running;
    double progress = 0;
    // Last, so its worker stops before the members its work uses go away.
    SerialQueue q{"voxmere.rerun"};
};
