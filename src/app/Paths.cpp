#include "app/Paths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace Paths {

QString dataDir() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.local/share";
    return base + "/Voxmere";
}

QString dataFile(const QString& name) {
    return dataDir() + "/" + name;
}

QString modelDir() {
    return dataFile("models");
}

bool ensureDataDir() {
    const QString dir = dataDir();
    if (!QDir().mkpath(dir))
        return false;
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

} // namespace Paths
