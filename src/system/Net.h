#pragma once

#include <QString>
#include <QUrl>

class Settings;

// The lifetime count of bytes Voxmere has sent to anything outside this computer, kept in the
// settings. Requests to this computer itself are never counted.
namespace Net {
// Adds `bytesSent` for a finished request to `url` (the request as first made, before any
// redirect) unless it went to this computer. Main thread.
void count(Settings& settings, const QUrl& url, qint64 bytesSent);
// "0 bytes", else the count as file sizes are shown (decimal units).
QString uploadedText(qint64 bytes);
} // namespace Net
