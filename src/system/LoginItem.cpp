#include "system/LoginItem.h"

#include "system/DesktopEntry.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

namespace LoginItem {

QString path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/autostart/com.qerin.voxmere.desktop";
}

QString entry(const QString& executable) {
    return DesktopEntry::text(executable, "--background", "audio-input-microphone", true);
}

void set(bool on) {
    if (!on) {
        QFile::remove(path());
        return;
    }
    // The executable path is written at every launch, so the entry follows Voxmere when it moves.
    DesktopEntry::write(path(), entry(QCoreApplication::applicationFilePath()));
}

} // namespace LoginItem
