#include "core/UnreadableFile.h"

#include "core/DebugLog.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

namespace UnreadableFile {

bool moveAside(const QString& path, double now, const QString& store) {
    const QString stamp = QDateTime::fromMSecsSinceEpoch(qint64(now * 1000), QTimeZone::utc())
                              .toString("yyyyMMdd-HHmmss");
    QString aside = path + ".unreadable-" + stamp;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = path + ".unreadable-" + stamp + "-" + QString::number(n);
    if (!QFile::rename(path, aside)) {
        debugLog(store + ": could not move the unreadable file aside; not saving over it");
        return false;
    }
    debugLog(store + ": unreadable file kept as " + aside);
    return true;
}

} // namespace UnreadableFile
