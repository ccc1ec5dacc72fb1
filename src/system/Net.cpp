#include "system/Net.h"

#include "settings/Settings.h"

#include <QCoreApplication>
#include <QLocale>

namespace {
bool isThisComputer(const QString& host) {
    return host == "127.0.0.1" || host == "localhost" || host == "::1";
}
} // namespace

namespace Net {

void count(Settings& settings, const QUrl& url, qint64 bytesSent) {
    const QString host = url.host();
    if (host.isEmpty() || isThisComputer(host) || bytesSent < 1)
        return;
    settings.setBytesUploaded(settings.bytesUploaded() + bytesSent);
}

QString uploadedText(qint64 bytes) {
    if (bytes == 0)
        return QCoreApplication::translate("Net", "0 bytes");
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

} // namespace Net
