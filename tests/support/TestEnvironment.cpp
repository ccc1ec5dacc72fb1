#include "support/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

namespace {
QTemporaryDir& folder() {
    static QTemporaryDir dir(QDir::tempPath() + "/voxmere-test-XXXXXX");
    return dir;
}
} // namespace

namespace TestEnvironment {

void isolateHome() {
    const QString root = folder().path();
    for (const char* sub : {".local/share", ".config", ".cache"})
        QDir().mkpath(root + "/" + sub);
    qputenv("HOME", root.toUtf8());
    qputenv("XDG_DATA_HOME", (root + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/.config").toUtf8());
    qputenv("XDG_CACHE_HOME", (root + "/.cache").toUtf8());
}

QString home() {
    return folder().path();
}

void speakEnglish() {
    qputenv("LANGUAGE", "en");
}

} // namespace TestEnvironment
