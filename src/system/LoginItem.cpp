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

namespace {
// The launcher unescapes Exec twice, as a desktop-entry string and then as a quoted argument,
// and reads '%' as a field code: a folder named with any of these would break the entry.
QString quotedArgument(const QString& text) {
    QString quoted;
    for (const QChar c : text) {
        if (c == '"' || c == '`' || c == '$')
            quoted += QStringLiteral("\\\\") + c;
        else if (c == '\\')
            quoted += QStringLiteral("\\\\\\\\");
        else if (c == '%')
            quoted += QStringLiteral("%%");
        else
            quoted += c;
    }
    return '"' + quoted + '"';
}
} // namespace

QString entry(const QString& executable) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Voxmere\n"
                          "Comment=Private speech to text\n"
                          "Exec=%1 --background\n"
                          "Icon=audio-input-microphone\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedArgument(executable));
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
    file.write(entry(QCoreApplication::applicationFilePath()).toUtf8());
    file.commit();
}

} // namespace LoginItem
