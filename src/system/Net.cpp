#include "system/Net.h"

#include <QLocale>
#include <QSettings>

namespace {
constexpr const char* key = "bytesUploaded";

bool isThisComputer(const QString& host) {
    return host == "127.0.0.1" || host == "localhost" || host == "::1";
}
} // namespace

namespace Net {

void count(QSettings& store, const QUrl& url, qint64 bytesSent) {
    const QString host = url.host();
    if (host.isEmpty() || isThisComputer(host) || bytesSent < 1)
        return;
    store.setValue(key, uploaded(store) + bytesSent);
}

qint64 uploaded(const QSettings& store) {
    return store.value(key, 0).toLongLong();
}

QString uploadedText(qint64 bytes) {
    if (bytes == 0)
        return QStringLiteral("0 bytes");
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

} // namespace Net
