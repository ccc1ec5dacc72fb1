#pragma once

#include "meetings/Meeting.h"

#include <QFile>
#include <QTimeZone>

#include <optional>
#include <ostream>

// Test failures name a key as a record spells it.
inline void PrintTo(const SpeakerKey& key, std::ostream* out) {
    *out << key.stored().toStdString();
}

// Building blocks for meeting and call-audio tests. Speakers are spelled as records store them.
namespace MeetingSamples {

inline SpeakerKey key(const QString& stored) {
    return SpeakerKey::fromStored(stored);
}

inline MeetingLine line(const QString& who, double t, const QString& text,
                        std::optional<double> e = std::nullopt) {
    MeetingLine l;
    l.who = key(who);
    l.t = t;
    l.text = text;
    l.e = e;
    return l;
}

// A "Them" line the speaker finding has labelled.
inline MeetingLine line(const QString& who, double t, const QString& text, const QString& speaker) {
    MeetingLine l = line(who, t, text);
    l.speaker = key(speaker);
    return l;
}

inline Meeting meeting(const QList<MeetingLine>& lines = {}) {
    Meeting m;
    m.start = QDateTime(QDate(2025, 3, 1), QTime(10, 0), QTimeZone::utc());
    m.end = m.start.addSecs(600);
    m.title = "Zoom call";
    m.file = "2025-03-01 10.00.00 Zoom call.md";
    m.lines = lines;
    return m;
}

inline QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace MeetingSamples
