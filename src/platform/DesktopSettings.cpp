#include "platform/DesktopSettings.h"

#include <QProcess>
#include <QStandardPaths>

namespace DesktopSettings {
void open() {
    for (const char* program : {"gnome-control-center", "systemsettings", "xfce4-settings-manager"})
        if (!QStandardPaths::findExecutable(program).isEmpty()) {
            QProcess::startDetached(program, {});
            return;
        }
}
} // namespace DesktopSettings
