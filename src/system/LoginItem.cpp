#include "system/LoginItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace LoginItem {

QString path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/autostart/com.qerin.voxmere.desktop";
}

void set(bool on) {
    if (!on) {
        QFile::remove(path());
        return;
    }
    QDir().mkpath(QFileInfo(path()).path());
    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly))
        return;
    // The executable path is written at every launch, so the entry follows Voxmere when it moves.
    const QString exec = QCoreApplication::applicationFilePath();
    file.write(QStringLiteral("[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Voxmere\n"
                              "Comment=Private speech to text\n"
                              "Exec=\"%1\" --background\n"
                              "Icon=audio-input-microphone\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n")
                   .arg(exec)
                   .toUtf8());
    file.commit();
}

} // namespace LoginItem
