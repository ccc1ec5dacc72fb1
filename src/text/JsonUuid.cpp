#include "text/JsonUuid.h"

namespace JsonUuid {

QString text(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> read(const QJsonValue& value) {
    const QString s = value.toString();
    const QUuid id = QUuid::fromString(s);
    if (!value.isString() || s.size() != 36 || id.isNull())
        return std::nullopt;
    return id;
}

} // namespace JsonUuid
