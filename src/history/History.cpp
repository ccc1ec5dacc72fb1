#include "history/History.h"

#include "core/DebugLog.h"
#include "core/Paths.h"
#include "core/UnreadableFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <limits>

History::History(QString path, Clock& clock, QObject* parent)
    : QObject(parent), path(std::move(path)), clock(clock) {
    q.async([this] { read(); });
}

History::~History() {
    flush();
}

void History::add(const Snippet& s) {
    Q_ASSERT(QThread::currentThread() == thread());
    waitForLoad();
    list.prepend(s);
    if (list.size() > limit)
        list.resize(limit);
    save();
}

void History::remove(const QUuid& id) {
    Q_ASSERT(QThread::currentThread() == thread());
    waitForLoad();
    list.removeIf([&](const Snippet& s) { return s.id == id; });
    save();
}

void History::clear() {
    Q_ASSERT(QThread::currentThread() == thread());
    waitForLoad();
    list.clear();
    save();
}

QList<Snippet> History::today() const {
    const QDate day = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(clock.now() * 1000))).date();
    // The day's bounds as instants: converting every entry to local time instead costs a
    // time-zone look-up each, and the home page asks after every dictation.
    const qint64 from = day.startOfDay().toMSecsSinceEpoch();
    const qint64 to = day.addDays(1).startOfDay().toMSecsSinceEpoch();
    QList<Snippet> out;
    for (const auto& s : list) {
        const qint64 at = s.date.toMSecsSinceEpoch();
        if (at >= from && at < to)
            out.append(s);
    }
    return out;
}

int History::wordsToday() const {
    int words = 0;
    for (const auto& s : today())
        words += s.words();
    return words;
}

int History::totalWords() const {
    int words = 0;
    for (const auto& s : list)
        words += s.words();
    return words;
}

int History::minutesSaved() const {
    double seconds = 0;
    for (const auto& s : list)
        seconds += s.seconds;
    const double minutes = std::round(totalWords() / 40.0 - seconds / 60.0);
    // A damaged file can hold any length; past the range of int the conversion is undefined.
    return minutes > 0 ? int(std::min(minutes, double(std::numeric_limits<int>::max()))) : 0;
}

void History::waitForLoad() {
    if (adopted)
        return;
    q.sync([] {});
    adopt();
}

void History::flush() {
    q.sync([] {});
    adopt();
}

void History::read() {
    QFile file(path);
    std::optional<QList<Snippet>> loaded;
    if (file.open(QIODevice::ReadOnly))
        loaded = Snippet::decode(file.readAll());
    // A file that is there but can't be used is kept for the owner to recover; it is moved
    // aside before the first save instead of being overwritten.
    unreadable = !loaded && file.exists();
    {
        std::lock_guard guard(incomingLock);
        incoming = loaded.value_or(QList<Snippet>());
    }
    QMetaObject::invokeMethod(
        this, [this] { adopt(); }, Qt::QueuedConnection);
}

void History::adopt() {
    if (adopted)
        return;
    {
        std::lock_guard guard(incomingLock);
        if (!incoming)
            return;
        list = std::move(*incoming);
        incoming.reset();
    }
    adopted = true;
    if (!list.isEmpty())
        emit changed();
}

void History::save() {
    emit changed();
    if (frozen)
        return;
    const quint64 generation = ++saves;
    q.async([this, snapshot = list, generation] { write(snapshot, generation); });
}

void History::write(const QList<Snippet>& snapshot, quint64 generation) {
    // A newer snapshot is already waiting: writing this one would only be overwritten.
    if (generation != saves)
        return;
    if (unreadable && QFile::exists(path) &&
        !UnreadableFile::moveAside(path, clock.now(), "history"))
        return;
    unreadable = false;
    Paths::makePrivateFolder(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(encode(snapshot));
    file.commit();
}

QByteArray History::encode(const QList<Snippet>& snapshot) {
    QHash<QUuid, Written> now;
    now.reserve(snapshot.size());
    const QByteArray bytes = Snippet::encode(snapshot, [&](const Snippet& s) {
        const auto before = written.constFind(s.id);
        QByteArray json =
            before != written.cend() && before->snippet == s ? before->json : s.json();
        now.insert(s.id, {s, json});
        return json;
    });
    written = std::move(now);
    return bytes;
}
