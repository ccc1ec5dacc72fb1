#include "system/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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

namespace DesktopEntry {

QString text(const QString& executable, const QString& arguments, const QString& icon,
             bool autostart) {
    QString exec = quotedArgument(executable);
    if (!arguments.isEmpty())
        exec += ' ' + arguments;
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=Voxmere\n"
                                   "Comment=Private speech to text\n"
                                   "Exec=%1\n"
                                   "Icon=%2\n"
                                   "Terminal=false\n")
                        .arg(exec, icon);
    if (autostart)
        entry += "X-GNOME-Autostart-enabled=true\n";
    else
        entry += "Categories=Utility;Accessibility;AudioVideo;\n";
    return entry;
}

bool write(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace DesktopEntry
