#include "meetings/MeetingLine.h"

#include "core/JsonField.h"
#include "core/JsonUuid.h"

#include <cmath>

// JSON has no infinities or NaN: Qt would write null and the whole meeting would not load again.
QJsonObject MeetingLine::toJson() const {
    const auto finite = [](double x) { return std::isfinite(x) ? x : 0.0; };
    QJsonObject o{
        {"id", JsonUuid::text(id)}, {"t", finite(t)}, {"who", who.stored()}, {"text", text}};
    if (e)
        o.insert("e", finite(*e));
    if (draft)
        o.insert("draft", *draft);
    if (speaker)
        o.insert("speaker", speaker->stored());
    return o;
}

std::optional<MeetingLine> MeetingLine::fromJson(const QJsonValue& value) {
    const QJsonObject o = value.toObject();
    const auto id = JsonUuid::read(o.value("id"));
    if (!value.isObject() || !id || !o.value("t").isDouble() || !o.value("who").isString() ||
        !o.value("text").isString())
        return std::nullopt;
    MeetingLine line;
    line.id = *id;
    line.t = o.value("t").toDouble();
    line.who = SpeakerKey::fromStored(o.value("who").toString());
    line.text = o.value("text").toString();
    std::optional<QString> speaker;
    if (!JsonField::optionalNumber(o.value("e"), line.e) ||
        !JsonField::optionalBool(o.value("draft"), line.draft) ||
        !JsonField::optionalString(o.value("speaker"), speaker))
        return std::nullopt;
    if (speaker)
        line.speaker = SpeakerKey::fromStored(*speaker);
    return line;
}
