#include "meetings/MeetingStore.h"

#include "core/Paths.h"
#include "core/JsonUuid.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingEcho.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace {
constexpr auto privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

MeetingLine* lineIn(Meeting& m, const QUuid& lineId) {
    for (auto& line : m.lines)
        if (line.id == lineId)
            return &line;
    return nullptr;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(privateFile);
    file.write(bytes);
    return file.commit();
}

QList<QUuid> lineIds(const Meeting& m) {
    QList<QUuid> ids;
    ids.reserve(m.lines.size());
    for (const auto& line : m.lines)
        ids.append(line.id);
    return ids;
}

int indexOf(const Meeting& m, const QUuid& lineId) {
    for (qsizetype i = 0; i < m.lines.size(); ++i)
        if (m.lines[i].id == lineId)
            return int(i);
    return -1;
}

// The stored name is joined to the folder, written and removed: only a plain Markdown name
// may be, never a path or a record.
bool plainExportName(const QString& name) {
    return name.endsWith(".md") && !name.contains('/') && !name.contains(QChar(0)) &&
           name != "." && name != "..";
}
} // namespace

MeetingStore::MeetingStore(QString dir, Clock& clock, CallAudio* audio, QObject* parent)
    : QObject(parent), folder(std::move(dir)), clock(clock), audio(audio) {
    load();
}

MeetingStore::~MeetingStore() {
    flush();
}

void MeetingStore::load() {
    const QDir d(folder);
    for (const QString& name : d.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (QFileInfo(name).suffix() != "json")
            continue;
        QFile file(d.filePath(name));
        auto m = file.open(QIODevice::ReadOnly) ? Meeting::decode(file.readAll()) : std::nullopt;
        if (!m) {
            unreadable.insert(d.filePath(name));
            continue;
        }
        if (!m->end) {
            double last = 0;
            for (const auto& line : m->lines)
                last = std::max(last, line.last());
            m->end = m->start.addMSecs(std::llround((last + 5) * 1000));
            cut.append(m->id);
        }
        for (auto& line : m->lines)
            line.draft.reset();
        list.append(std::move(*m));
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Meeting& a, const Meeting& b) { return a.start > b.start; });
}

const Meeting* MeetingStore::find(const QUuid& id) const {
    for (const auto& m : list)
        if (m.id == id)
            return &m;
    return nullptr;
}

// Non-const access detaches the list from any copy a caller took of it.
Meeting* MeetingStore::findMutable(const QUuid& id) {
    Q_ASSERT(QThread::currentThread() == thread());
    for (auto& m : list)
        if (m.id == id)
            return &m;
    return nullptr;
}

void MeetingStore::add(const Meeting& m) {
    Q_ASSERT(QThread::currentThread() == thread());
    list.prepend(m);
    queueWrite(m);
    emit meetingAdded(m.id);
}

void MeetingStore::update(const QUuid& id, const std::function<void(Meeting&)>& change) {
    if (Meeting* m = findMutable(id)) {
        change(*m);
        save(*m);
    }
}

void MeetingStore::save(const Meeting& m) {
    const QUuid id = m.id;
    queueWrite(m);
    emit meetingChanged(id);
}

void MeetingStore::queueWrite(const Meeting& m) {
    Q_ASSERT(QThread::currentThread() == thread());
    if (frozen)
        return;
    {
        std::lock_guard guard(unsavedLock);
        unsaved.insert(m.id, Snapshot{m, ++saves});
    }
    q.async([this, id = m.id] { write(id); });
}

// The lines one change removed, the one it added and the one it changed, found by comparing
// the meeting with its line ids before the change: a change only ever removes lines and puts
// one in between, never reorders them.
MeetingStore::LineEdit MeetingStore::compare(const QList<QUuid>& before, const Meeting& m,
                                             const QUuid& added, const QUuid& changed) {
    LineEdit edit;
    qsizetype now = 0;
    const auto skipAdded = [&] {
        if (now < m.lines.size() && !added.isNull() && m.lines[now].id == added)
            edit.added = int(now++);
    };
    for (qsizetype was = 0; was < before.size(); ++was) {
        skipAdded();
        if (now < m.lines.size() && m.lines[now].id == before[was])
            ++now;
        else
            edit.removed.append(int(was));
    }
    skipAdded();
    edit.changed = changed.isNull() ? -1 : indexOf(m, changed);
    return edit;
}

void MeetingStore::announce(const QUuid& id, const LineEdit& edit) {
    for (auto it = edit.removed.crbegin(); it != edit.removed.crend(); ++it)
        emit lineRemoved(id, *it);
    if (edit.added >= 0)
        emit lineAdded(id, edit.added);
    if (edit.changed >= 0)
        emit lineChanged(id, edit.changed);
}

void MeetingStore::addLine(const QUuid& id, const MeetingLine& line) {
    if (Meeting* m = findMutable(id)) {
        const QList<QUuid> before = lineIds(*m);
        insert(line, *m);
        queueWrite(*m);
        announce(id, compare(before, *m, line.id, QUuid()));
    }
}

bool MeetingStore::insert(const MeetingLine& line, Meeting& m) {
    if (line.who.isYou() && MeetingEcho::echoedThem(m, line.text, line.t))
        return false;
    if (!line.who.isYou())
        MeetingEcho::dropYouEchoes(m, line.text, line.t);
    const auto at = std::upper_bound(
        m.lines.begin(), m.lines.end(), line.t,
        [](double t, const MeetingLine& other) { return t < other.t; });
    m.lines.insert(at, line);
    return true;
}

bool MeetingStore::appendToLine(const QUuid& id, const QUuid& lineId, const QString& text,
                                double at, const SpeakerKey& who) {
    Meeting* m = findMutable(id);
    if (!m || !lineIn(*m, lineId))
        return false;
    if (who.isYou() && MeetingEcho::echoedThem(*m, text, at))
        return true;
    const QList<QUuid> before = lineIds(*m);
    if (who.isThem())
        MeetingEcho::dropYouEchoes(*m, text, at);
    if (MeetingLine* line = lineIn(*m, lineId)) {
        line->text += " " + text;
        line->e = at;
    }
    queueWrite(*m);
    announce(id, compare(before, *m, QUuid(), lineId));
    return true;
}

void MeetingStore::finalizeLine(const QUuid& id, const QUuid& lineId,
                                const std::optional<QString>& text) {
    Meeting* m = findMutable(id);
    if (!m)
        return;
    const QList<QUuid> before = lineIds(*m);
    if (MeetingLine* line = lineIn(*m, lineId)) {
        if (text)
            line->text = *text;
        line->draft.reset();
        const MeetingLine done = *line;
        if (done.who.isYou()) {
            if (MeetingEcho::echoedThem(*m, done.text, done.t))
                m->lines.removeIf([&](const MeetingLine& l) { return l.id == lineId; });
        } else {
            // Here the user's line's start has to fall inside this line's widened span.
            m->lines.removeIf([&](const MeetingLine& y) {
                return y.who.isYou() && MeetingEcho::near(y.t, done) &&
                       MeetingEcho::isEcho(y.text, done.text);
            });
        }
    }
    queueWrite(*m);
    announce(id, compare(before, *m, QUuid(), lineId));
}

void MeetingStore::rename(const QUuid& id, const SpeakerKey& key, const QString& name) {
    const QString trimmed = name.trimmed();
    const Meeting* found = find(id);
    if (!found)
        return;
    if (!trimmed.isEmpty())
        rememberSpeaker(*found, key, trimmed);
    if (Meeting* m = findMutable(id)) {
        if (m->guesses)
            m->guesses->remove(key);
        nameSpeaker(*m, key, trimmed);
        save(*m);
    }
}

void MeetingStore::rememberSpeaker(const Meeting& m, const SpeakerKey& key, const QString& name) {
    QList<Span> spans;
    for (const auto& line : m.lines)
        if (line.key() == key && line.who.isThem())
            spans.append({line.t, line.last()});
    if (onRemember)
        onRemember(name);
    if (!spans.isEmpty() && onLearnVoice)
        onLearnVoice(m.id, spans, name);
}

void MeetingStore::nameSpeaker(Meeting& m, const SpeakerKey& key, const QString& name) {
    std::optional<SpeakerKey> target;
    for (const SpeakerKey& k : m.speakerKeys())
        if (!name.isEmpty() && k != key && m.name(k).compare(name, Qt::CaseInsensitive) == 0) {
            target = k;
            break;
        }
    if (target) {
        for (auto& line : m.lines)
            if (line.key() == key)
                line.speaker = *target == line.who ? std::nullopt : target;
        if (m.names)
            m.names->remove(key);
        if (!m.names || !m.names->contains(*target))
            (m.names ? *m.names : m.names.emplace()).insert(*target, name);
        return;
    }
    Meeting::Names names = m.names.value_or(Meeting::Names());
    if (name.isEmpty())
        names.remove(key);
    else
        names.insert(key, name);
    m.names = names.isEmpty() ? std::nullopt : std::optional(names);
}

void MeetingStore::move(const QUuid& id, const QUuid& lineId, const SpeakerKey& key) {
    Meeting* m = findMutable(id);
    if (!m)
        return;
    if (MeetingLine* line = lineIn(*m, lineId))
        line->speaker = key == line->who ? std::nullopt : std::optional(key);
    queueWrite(*m);
    announce(id, LineEdit{{}, -1, indexOf(*m, lineId)});
}

SpeakerKey MeetingStore::newSpeakerKey(const QUuid& id) const {
    qlonglong largest = 0;
    if (const Meeting* m = find(id))
        for (const auto& line : m->lines)
            if (line.speaker)
                largest = std::max(largest, line.speaker->number().value_or(0));
    return SpeakerKey::numbered(largest + 1);
}

void MeetingStore::setText(const QUuid& id, const QUuid& lineId, const QString& text) {
    const QString trimmed = text.trimmed();
    Meeting* m = findMutable(id);
    if (!m)
        return;
    const QList<QUuid> before = lineIds(*m);
    if (trimmed.isEmpty())
        m->lines.removeIf([&](const MeetingLine& l) { return l.id == lineId; });
    else if (MeetingLine* line = lineIn(*m, lineId))
        line->text = trimmed;
    queueWrite(*m);
    announce(id, compare(before, *m, QUuid(), trimmed.isEmpty() ? QUuid() : lineId));
}

void MeetingStore::clearDrafts(const QUuid& id) {
    Meeting* m = findMutable(id);
    if (!m || std::none_of(m->lines.begin(), m->lines.end(),
                           [](const MeetingLine& l) { return l.draft.value_or(false); }))
        return;
    QList<int> drafts;
    for (qsizetype i = 0; i < m->lines.size(); ++i)
        if (m->lines[i].draft) {
            m->lines[i].draft.reset();
            drafts.append(int(i));
        }
    queueWrite(*m);
    for (const int i : drafts)
        emit lineChanged(id, i);
}

void MeetingStore::remove(const QUuid& meeting) {
    // The caller's id may live in the meeting that goes.
    const QUuid id = meeting;
    const Meeting* m = find(id);
    if (!m)
        return;
    const QString name = exportName(*m);
    list.removeIf([&](const Meeting& other) { return other.id == id; });
    if (!frozen) {
        const bool shared = std::any_of(list.begin(), list.end(), [&](const Meeting& other) {
            return exportName(other) == name;
        });
        q.async([this, id, generation = saves.load(), name, shared] {
            removeFiles(id, generation, name, shared);
        });
    }
    emit meetingRemoved(id);
}

QString MeetingStore::markdownURL(const Meeting& m) const {
    return folder + "/" + exportName(m);
}

void MeetingStore::flush() {
    q.sync([] {});
}

void MeetingStore::write(const QUuid& id) {
    std::optional<Meeting> m;
    {
        std::lock_guard guard(unsavedLock);
        if (auto it = unsaved.find(id); it != unsaved.end()) {
            m = std::move(it->meeting);
            unsaved.erase(it);
        }
    }
    if (!m)
        return;
    Paths::makePrivateFolder(folder);
    const QString json = folder + "/" + jsonName(id);
    if (keepUnreadable(json) && writeFile(json, m->encode()))
        ++written;
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(qint64(clock.now() * 1000));
    if (writeFile(markdownURL(*m), m->markdown(now).toUtf8()))
        ++written;
}

void MeetingStore::removeFiles(const QUuid& id, quint64 generation, const QString& exportName,
                               bool exportShared) {
    {
        std::lock_guard guard(unsavedLock);
        if (auto it = unsaved.find(id); it != unsaved.end() && it->generation <= generation)
            unsaved.erase(it);
    }
    QFile::remove(folder + "/" + jsonName(id));
    if (!exportShared)
        QFile::remove(folder + "/" + exportName);
    if (audio)
        audio->remove(id);
}

// A file that was there at load but could not be read is moved aside before the first write
// to its name, so its contents stay for the owner to recover. False when it can't be moved.
bool MeetingStore::keepUnreadable(const QString& path) {
    if (!unreadable.contains(path) || !QFile::exists(path))
        return true;
    QString aside = path + ".unreadable";
    for (int n = 2; QFile::exists(aside); ++n)
        aside = path + ".unreadable-" + QString::number(n);
    if (!QFile::rename(path, aside))
        return false;
    unreadable.remove(path);
    return true;
}

QString MeetingStore::exportName(const Meeting& m) const {
    return plainExportName(m.file) ? m.file : jsonName(m.id).chopped(5) + ".md";
}

QString MeetingStore::jsonName(const QUuid& id) const {
    return JsonUuid::text(id) + ".json";
}
