#pragma once

#include "calls/EngineWait.h"
#include "calls/LiveTranscript.h"
#include "core/SerialQueue.h"
#include "meetings/Meeting.h"
#include "meetings/Speakers.h"
#include "text/VocabEntry.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class CallAudio;
class MeetingStore;
class People;
class Settings;

// After a call, tells the people on the far side apart: the diarization program's turns give
// every line of the far side the speaker who said most of it, voiceprints suggest known people, and
// lines where two people talk without a pause are transcribed again piece by piece. One run at a
// time, across all meetings; the store is touched on the main thread only.
class SpeakerFinder : public QObject {
    Q_OBJECT
  public:
    using Turn = Speakers::Turn;
    using Print = Speakers::Print;
    using Samples = std::vector<int16_t>;
    using Ask = std::function<std::optional<QString>(const QByteArray& wav, const QString& prompt)>;

    struct Services {
        Settings& settings;
        MeetingStore& store;
        CallAudio& audio;
        Speakers& speakers;
        People& people;
        Speakers::PrintOf printOf;
        LiveTranscript::Transcribe transcribe;
    };
    // A line where a second speaker talks long enough to be worth splitting.
    struct Mixed {
        MeetingLine line;
        double minority = 0;
    };
    struct Assignment {
        // line → speaker key; none: the far side as one voice
        QHash<QUuid, std::optional<SpeakerKey>> keys;
        QList<Mixed> mixed;
    };

    explicit SpeakerFinder(Services services, QObject* parent = nullptr);
    ~SpeakerFinder() override;

    // `then` runs once on the main thread when the run is over or when none was started. A
    // count of at least 1 is the number of people on the far side; without one the program's
    // groups are tidied with voiceprints.
    void findSpeakers(const QUuid& id, std::optional<int> count, std::function<void()> then);
    std::optional<QUuid> speakersID() const { return labelling; }
    std::optional<QUuid> splittingID() const { return splitting; }
    bool busy() const { return labelling || splitting; }
    // Other long work on the meetings (re-transcription) during which no run starts.
    std::function<bool()> otherWork;

    static Assignment assign(const QList<MeetingLine>& lines, const QList<Turn>& turns, int n);
    // The line cut at speaker changes, each piece transcribed; none when it can't be split or
    // the engine gave up on a piece.
    static std::optional<QList<MeetingLine>> split(const MeetingLine& line,
                                                   const QList<Turn>& turns,
                                                   Speakers::Samples samples,
                                                   const QList<VocabEntry>& vocab, const Ask& ask);

    // The count chooser of the calls page.
    static QString chooserMessage();
    static QString chooserText();
    static QStringList chooserItems();
    // The count for the chosen item: none for "Let Voxmere decide".
    static std::optional<int> chooserCount(int item);
    static QString chooserFind();

  signals:
    void stateChanged();

  private:
    struct Analysis;

    Analysis analyse(const QUuid& id, std::optional<int> count, bool voices, const Meeting& copy);
    void handOver(const std::shared_ptr<Analysis>& a, std::function<void()> then);
    void runSplits(const std::shared_ptr<Analysis>& a, std::function<void()> then);
    void applySplit(const QUuid& id, const MeetingLine& line,
                    const std::optional<SpeakerKey>& assigned, const QList<MeetingLine>& pieces);
    void finish(std::function<void()> then);

    Services s;
    EngineWait engine;
    std::optional<QUuid> labelling;
    std::optional<QUuid> splitting;
    // Last, so its worker stops before the members its work uses go away.
    SerialQueue q{"voxmere.speakers"};
};
