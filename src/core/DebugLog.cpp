#include "core/DebugLog.h"

#include "core/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <mutex>

namespace DebugLog {

void append(const QString& path, const QString& message) {
    static std::mutex lock;
    const QByteArray line =
        (QDateTime::currentDateTimeUtc().toString(Qt::ISODate) + " " + message + "\n").toUtf8();
    std::lock_guard guard(lock);
    QFileInfo info(path);
    if (info.exists() && info.size() > limit)
        QFile::remove(path);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line);
}

} // namespace DebugLog

void debugLog(const QString& message) {
    DebugLog::append(Paths::dataFile("debug.log"), message);
}
