#include "core/JsonUuid.h"

namespace JsonUuid {

QString text(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> read(const QJsonValue& value) {
    const QString s = value.toString();
    const QUuid id = QUuid::fromString(s);
    // A failed parse also gives the nil identifier, but the nil identifier's own text is one
    // that `text` writes and must read back.
    const bool parsed = !id.isNull() || s == QLatin1String("00000000-0000-0000-0000-000000000000");
    if (!value.isString() || s.size() != 36 || !parsed)
        return std::nullopt;
    return id;
}

} // namespace JsonUuid
