#pragma once

#include "meetings/SpeakerKey.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

// One line of a call's transcript. `t` and `e` are seconds from the meeting's start.
struct MeetingLine {
    QUuid id = QUuid::createUuid();
    double t = 0;
    SpeakerKey who; // the side: the user or the far side
    QString text;
    std::optional<double> e;
    std::optional<bool> draft; // true while still being transcribed; false is never stored
    std::optional<SpeakerKey> speaker;

    // Where the line ends for every overlap test: `e`, or `t` until the end is known.
    double last() const { return e.value_or(t); }
    // Who spoke it: the separated speaker, else the side.
    SpeakerKey key() const { return speaker.value_or(who); }
    bool operator==(const MeetingLine&) const = default;

    QJsonObject toJson() const;
    // None when a required key is missing or of the wrong type.
    static std::optional<MeetingLine> fromJson(const QJsonValue& value);
};
