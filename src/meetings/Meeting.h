#pragma once

#include "meetings/MeetingLine.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QUuid>

#include <optional>

// A recorded call: when it ran, its title and application, and its transcript lines in order
// of `t`.
struct Meeting {
    using Names = QMap<SpeakerKey, QString>;

    QUuid id = QUuid::createUuid();
    QDateTime start = QDateTime::currentDateTimeUtc();
    std::optional<QDateTime> end;
    QString title;
    std::optional<QString> app;
    QList<MeetingLine> lines;
    QString file;                 // the Markdown export's name, beside the JSON file
    std::optional<Names> names;   // given by the user
    std::optional<Names> guesses; // suggested by the voiceprint matcher

    // Distinct line keys in order of first appearance.
    QList<SpeakerKey> speakerKeys() const;
    // The user's name, else the guess.
    std::optional<QString> givenName(const SpeakerKey& key) const;
    // The given name, else "Speaker n" for Sn, else the key as stored: the names the Markdown
    // export writes, in every language alike. The window shows its own, translated, names.
    QString name(const SpeakerKey& key) const;
    bool guessed(const SpeakerKey& key) const;
    // Seconds from start to end, or to `now` while the call is still being recorded.
    double duration(const QDateTime& now = QDateTime::currentDateTimeUtc()) const;
    int words() const;
    QString markdown(const QDateTime& now = QDateTime::currentDateTimeUtc(),
                     const QLocale& locale = QLocale()) const;

    bool operator==(const Meeting&) const = default;

    // Compact JSON without nulls; dates in whole seconds.
    QByteArray encode() const;
    // None for malformed JSON, a missing or mistyped required key, or a date in any other form.
    static std::optional<Meeting> decode(const QByteArray& bytes);
};

// Seconds for display: 00:07, 59:59, then 1:02:03; truncated, negative counts as 0.
QString clock(double seconds);
