#pragma once

#include "core/Clock.h"
#include "core/SerialQueue.h"
#include "history/Snippet.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>
#include <optional>

// The dictation history, newest first, kept in one JSON file. The file is read and written on
// the history's own queue so the main thread never waits for the disk; the list itself changes
// on the thread that owns the object (the main thread) and `changed` follows every change.
class History : public QObject {
    Q_OBJECT
  public:
    static constexpr qsizetype limit = 5000;

    // Starts reading `path` in the background; the list is empty until it has been read.
    explicit History(QString path, Clock& clock = Clock::system(), QObject* parent = nullptr);
    ~History() override;

    const QList<Snippet>& items() const { return list; }
    const QString& url() const { return path; }
    bool readOnly() const { return frozen; }
    // When set, changes stay in memory and the file keeps what it holds.
    void setReadOnly(bool on) { frozen = on; }

    void add(const Snippet& s);
    // Removes every entry with this identifier.
    void remove(const QUuid& id);
    void clear();

    // Entries dated on the current calendar day in the local time zone, in list order.
    QList<Snippet> today() const;
    int wordsToday() const;
    int totalWords() const;
    // Typing time saved at 40 words a minute, less the time spent speaking; never negative.
    int minutesSaved() const;

    // Blocks until the file has been read and its entries are in the list.
    void waitForLoad();
    // Blocks until every change so far is on disk (for quitting).
    void flush();

  signals:
    void changed();

  private:
    void read();
    void adopt();
    void save();
    void write(const QList<Snippet>& snapshot, quint64 generation);
    QByteArray encode(const QList<Snippet>& snapshot);

    QString path;
    Clock& clock;
    QList<Snippet> list;
    bool frozen = false;
    bool adopted = false;

    std::mutex incomingLock;
    std::optional<QList<Snippet>> incoming;

    // Touched on the queue only.
    bool unreadable = false;
    // Each entry's JSON as last written. Entries don't change once made, so a rewrite of a
    // full history after a dictation encodes the one new entry; the check against the entry
    // itself keeps a damaged file's repeated identifiers apart.
    struct Written {
        Snippet snippet;
        QByteArray json;
    };
    QHash<QUuid, Written> written;
    std::atomic<quint64> saves = 0;

    // Declared last so its worker stops before the members it uses go away.
    SerialQueue q{"voxmere.history"};
};
