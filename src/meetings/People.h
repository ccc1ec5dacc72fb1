#pragma once

#include "core/Clock.h"
#include "core/SerialQueue.h"
#include "meetings/SpeakerKey.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

struct Meeting;
class Settings;

// The people the user has named in calls, with the voice learnt for each, so later calls can
// suggest who is speaking. Used on the main thread; "people.json" is written on the store's own
// queue.
class People : public QObject {
    Q_OBJECT
  public:
    using Print = std::vector<float>;
    struct Person {
        QString name;
        std::optional<Print> voice;
        int heard = 0;
        double used = 0; // seconds since the Unix epoch
        bool operator==(const Person&) const = default;
    };
    static constexpr float match = 0.65f;
    static constexpr float lead = 0.08f;

    // Reads the file at once and takes the names given in `meetings` that it lacks.
    People(QString path, Settings& settings, const QList<Meeting>& meetings,
           Clock& clock = Clock::system(), QObject* parent = nullptr);
    ~People() override;

    const QList<Person>& all() const { return list; }
    void remember(const QString& name, const std::optional<Print>& voice);
    // Speaker key → name of the known person that voice sounds like, each person once.
    QHash<SpeakerKey, QString> guess(const QHash<SpeakerKey, Print>& prints,
                                     const QSet<QString>& skip) const;
    // Most recently used first.
    QStringList names() const;
    void forget(const QString& name);
    void forgetVoices();
    // Blocks until every save submitted so far is on disk.
    void flush();

    static QByteArray encode(const QList<Person>& people);
    static std::optional<QList<Person>> decode(const QByteArray& bytes);

  signals:
    void changed();

  private:
    void importNames(const QList<Meeting>& meetings);
    void save();
    void write(const QByteArray& bytes);

    QString path;
    Settings& settings;
    Clock& clock;
    QList<Person> list;
    // On q: the file was there but didn't decode, so it is moved aside before the first save.
    bool unreadable = false;
    SerialQueue q{"voxmere.people"};
};
