#include "core/JsonField.h"

#include "core/IsoDate.h"

#include <QJsonObject>

namespace {
bool absent(const QJsonValue& value) {
    return value.isUndefined() || value.isNull();
}
} // namespace

namespace JsonField {

bool optionalNumber(const QJsonValue& value, std::optional<double>& out) {
    if (value.isDouble())
        out = value.toDouble();
    return absent(value) || value.isDouble();
}

bool optionalBool(const QJsonValue& value, std::optional<bool>& out) {
    if (value.isBool())
        out = value.toBool();
    return absent(value) || value.isBool();
}

bool optionalString(const QJsonValue& value, std::optional<QString>& out) {
    if (value.isString())
        out = value.toString();
    return absent(value) || value.isString();
}

bool optionalDate(const QJsonValue& value, std::optional<QDateTime>& out) {
    if (absent(value))
        return true;
    out = IsoDate::parse(value.toString());
    return out.has_value();
}

bool optionalNames(const QJsonValue& value, std::optional<QMap<QString, QString>>& out) {
    if (absent(value))
        return true;
    if (!value.isObject())
        return false;
    QMap<QString, QString> names;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!it.value().isString())
            return false;
        names.insert(it.key(), it.value().toString());
    }
    out = names;
    return true;
}

} // namespace JsonField
