#include "core/Paths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace Paths {

// The generic location is $XDG_DATA_HOME (else ~/.local/share) without the application's name,
// which Qt would add in its own spelling.
QString dataDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Voxmere";
}

QString dataFile(const QString& name) {
    return dataDir() + "/" + name;
}

QString modelDir() {
    return dataFile("models");
}

void makePrivateFolder(const QString& path) {
    if (!QDir(path).exists() && QDir().mkpath(path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool ensureDataDir() {
    const QString dir = dataDir();
    if (!QDir().mkpath(dir))
        return false;
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

} // namespace Paths
