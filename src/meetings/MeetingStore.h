#pragma once

#include "core/Clock.h"
#include "core/SerialQueue.h"
#include "meetings/Meeting.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

class CallAudio;

// Every meeting record, newest first, and the only writer of the meetings folder. The list
// changes on the thread that owns the store (the main thread), and a signal after each change
// names what changed, down to the line, so a view of a long call redraws only that; the JSON
// file and the Markdown export of a changed meeting are written on the store's own queue, so a
// live call's several saves a second never wait for the disk.
class MeetingStore : public QObject {
    Q_OBJECT
  public:
    using Span = std::pair<double, double>;

    // Reads the folder at once; `audio`, when given, loses a meeting's files with the meeting.
    explicit MeetingStore(QString dir, Clock& clock = Clock::system(), CallAudio* audio = nullptr,
                          QObject* parent = nullptr);
    ~MeetingStore() override;

    // Filled by the people and speakers code: a name the user gave, and the stretches of the
    // far side's audio spoken by the speaker who got it.
    std::function<void(const QString& name)> onRemember;
    std::function<void(const QUuid& meeting, const QList<Span>& spans, const QString& name)>
        onLearnVoice;

    const QList<Meeting>& meetings() const { return list; }
    const QList<QUuid>& cutOff() const { return cut; }
    const QString& dir() const { return folder; }
    bool readOnly() const { return frozen; }
    // When set, changes stay in memory and nothing on disk is created, changed or removed.
    void setReadOnly(bool on) { frozen = on; }
    const Meeting* find(const QUuid& id) const;

    void add(const Meeting& m);
    void update(const QUuid& id, const std::function<void(Meeting&)>& change);
    // Writes a meeting its caller changed in `meetings()` itself; views take all of it as new.
    void save(const Meeting& m);
    void addLine(const QUuid& id, const MeetingLine& line);
    // Echo rules first, then the line goes after every line that starts no later than it.
    // False when the line was dropped as an echo.
    static bool insert(const MeetingLine& line, Meeting& m);
    bool appendToLine(const QUuid& id, const QUuid& lineId, const QString& text, double at,
                      const SpeakerKey& who);
    void finalizeLine(const QUuid& id, const QUuid& lineId, const std::optional<QString>& text);
    void rename(const QUuid& id, const SpeakerKey& key, const QString& name);
    void move(const QUuid& id, const QUuid& lineId, const SpeakerKey& key);
    SpeakerKey newSpeakerKey(const QUuid& id) const;
    void setText(const QUuid& id, const QUuid& lineId, const QString& text);
    void clearDrafts(const QUuid& id);
    // Removes every meeting with this id, its files and its call audio.
    void remove(const QUuid& id);
    QString markdownURL(const Meeting& m) const;
    // Blocks until every write submitted so far has finished (for quitting).
    void flush();
    // Files written since the store was made: a burst of saves should cost few.
    quint64 filesWritten() const { return written; }

  signals:
    void meetingAdded(const QUuid& meeting);
    void meetingRemoved(const QUuid& meeting);
    // Anything of the meeting may be new: its title, names, end or many of its lines.
    void meetingChanged(const QUuid& meeting);
    // The meeting's line at `index` is new; the lines after it moved down one.
    void lineAdded(const QUuid& meeting, int index);
    // The line at `index` has new words, times, draft mark or speaker.
    void lineChanged(const QUuid& meeting, int index);
    // The line that was at `index` is gone; the lines after it moved up one. When one change
    // removes several lines, the last goes first, so every index names the line it did.
    void lineRemoved(const QUuid& meeting, int index);

  private:
    struct Snapshot {
        Meeting meeting;
        quint64 generation = 0;
    };

    void load();
    Meeting* findMutable(const QUuid& id);
    void queueWrite(const Meeting& m);
    // What one change did to a meeting's lines; -1 for none.
    struct LineEdit {
        QList<int> removed; // indices before the change, in order
        int added = -1;     // indices after it
        int changed = -1;
    };
    static LineEdit compare(const QList<QUuid>& before, const Meeting& m, const QUuid& added,
                            const QUuid& changed);
    void announce(const QUuid& id, const LineEdit& edit);
    void rememberSpeaker(const Meeting& m, const SpeakerKey& key, const QString& name);
    static void nameSpeaker(Meeting& m, const SpeakerKey& key, const QString& name);
    void write(const QUuid& id);
    void removeFiles(const QUuid& id, quint64 generation, const QString& exportName,
                     bool exportShared);
    bool keepUnreadable(const QString& path);
    QString exportName(const Meeting& m) const;
    QString jsonName(const QUuid& id) const;

    QString folder;
    Clock& clock;
    CallAudio* audio;
    QList<Meeting> list;
    QList<QUuid> cut;
    bool frozen = false;
    std::atomic<quint64> saves = 0;
    std::atomic<quint64> written = 0;

    // The newest snapshot of each meeting waiting to be written: a burst of saves is written
    // once, and a delete drops what was saved before it.
    std::mutex unsavedLock;
    QHash<QUuid, Snapshot> unsaved;
    // Files found at load that could not be read: kept for their owner, never written over.
    QSet<QString> unreadable;

    // Declared last so its worker stops before the members it uses go away.
    SerialQueue q{"voxmere.save"};
};
