#include "meetings/People.h"

#include "core/DebugLog.h"
#include "core/UnreadableFile.h"
#include "meetings/Meeting.h"
#include "meetings/VoicePrint.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace {
// The stored dates count from 2001-01-01 00:00:00 UTC.
constexpr double referenceDate = 978307200;

bool reserved(const QString& lower) {
    return lower == "you" || lower == "them";
}

struct Candidate {
    SpeakerKey key;
    QString name;
    float score = 0;
};
} // namespace

People::People(QString path, Settings& settings, const QList<Meeting>& meetings, Clock& clock,
               QObject* parent)
    : QObject(parent), path(std::move(path)), settings(settings), clock(clock) {
    QFile file(this->path);
    std::optional<QList<Person>> loaded;
    if (file.open(QIODevice::ReadOnly))
        loaded = decode(file.readAll());
    unreadable = !loaded && file.exists();
    list = loaded.value_or(QList<Person>());
    importNames(meetings);
}

People::~People() {
    flush();
}

void People::importNames(const QList<Meeting>& meetings) {
    bool imported = false;
    for (const Meeting& m : meetings)
        for (const QString& name : m.names.value_or(Meeting::Names())) {
            const QString lower = name.toLower();
            if (name.isEmpty() || reserved(lower) ||
                std::any_of(list.begin(), list.end(),
                            [&](const Person& p) { return p.name.toLower() == lower; }))
                continue;
            list.append({name, std::nullopt, 0, double(m.start.toMSecsSinceEpoch()) / 1000});
            imported = true;
        }
    if (imported)
        save();
}

void People::remember(const QString& name, const std::optional<Print>& voice) {
    const QString trimmed = name.trimmed();
    const QString lower = trimmed.toLower();
    if (trimmed.isEmpty() || reserved(lower))
        return;
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const Person& p) { return p.name.toLower() == lower; });
    Person person = found != list.end() ? *found : Person{trimmed, std::nullopt, 0, 0};
    person.used = clock.now();
    if (voice && settings.recogniseVoices()) {
        if (person.voice && person.voice->size() == voice->size()) {
            Print mean(voice->size());
            for (size_t i = 0; i < mean.size(); ++i)
                mean[i] = (person.heard * (*person.voice)[i] + (*voice)[i]) / (person.heard + 1);
            person.voice = VoicePrint::unit(mean);
        } else {
            person.voice = voice;
        }
        ++person.heard;
    }
    list.removeIf([&](const Person& p) { return p.name.toLower() == lower; });
    list.append(person);
    save();
}

QHash<SpeakerKey, QString> People::guess(const QHash<SpeakerKey, Print>& prints,
                                         const QSet<QString>& skip) const {
    QHash<SpeakerKey, QString> guesses;
    if (!settings.recogniseVoices())
        return guesses;
    QList<Candidate> candidates;
    for (auto it = prints.begin(); it != prints.end(); ++it) {
        QList<Candidate> scored;
        for (const Person& p : list)
            if (p.voice && !skip.contains(p.name.toLower()))
                scored.append({it.key(), p.name, VoicePrint::similarity(it.value(), *p.voice)});
        std::stable_sort(scored.begin(), scored.end(),
                         [](const auto& a, const auto& b) { return a.score > b.score; });
        if (scored.size() == 1 || (scored.size() > 1 && scored[0].score - scored[1].score >= lead))
            candidates.append(scored[0]);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.score > b.score; });
    QSet<QString> given;
    for (const Candidate& c : candidates) {
        if (c.score < match || guesses.contains(c.key) || given.contains(c.name.toLower()))
            continue;
        guesses.insert(c.key, c.name);
        given.insert(c.name.toLower());
        debugLog(QString::asprintf("voice guess %s = %.2f", qPrintable(c.key.stored()), c.score));
    }
    return guesses;
}

QStringList People::names() const {
    QList<Person> byUse = list;
    std::stable_sort(byUse.begin(), byUse.end(),
                     [](const auto& a, const auto& b) { return a.used > b.used; });
    QStringList out;
    for (const Person& p : byUse)
        out << p.name;
    return out;
}

void People::forget(const QString& name) {
    const QString lower = name.trimmed().toLower();
    list.removeIf([&](const Person& p) { return p.name.toLower() == lower; });
    save();
}

void People::forgetVoices() {
    for (Person& p : list) {
        p.voice.reset();
        p.heard = 0;
    }
    save();
}

void People::flush() {
    q.sync([] {});
}

void People::save() {
    emit changed();
    q.async([this, bytes = encode(list)] { write(bytes); });
}

void People::write(const QByteArray& bytes) {
    if (unreadable && QFile::exists(path) && !UnreadableFile::moveAside(path, clock.now(), "people"))
        return;
    unreadable = false;
    // The data folder is made at launch; the people file doesn't create it.
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(bytes);
    file.commit();
}

QByteArray People::encode(const QList<Person>& people) {
    QJsonArray array;
    for (const Person& p : people) {
        QJsonObject o{{"name", p.name}, {"heard", p.heard}, {"used", p.used - referenceDate}};
        if (p.voice) {
            QJsonArray voice;
            for (float x : *p.voice)
                voice.append(double(x));
            o.insert("voice", voice);
        }
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<People::Person>> People::decode(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    QList<Person> people;
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        if (!o.value("name").isString() || !o.value("heard").isDouble() ||
            !o.value("used").isDouble() || (o.contains("voice") && !o.value("voice").isArray()))
            return std::nullopt;
        Person p{o.value("name").toString(), std::nullopt, o.value("heard").toInt(),
                 o.value("used").toDouble() + referenceDate};
        if (o.contains("voice")) {
            Print voice;
            for (const QJsonValue& x : o.value("voice").toArray())
                voice.push_back(float(x.toDouble()));
            p.voice = voice;
        }
        people.append(p);
    }
    return people;
}
