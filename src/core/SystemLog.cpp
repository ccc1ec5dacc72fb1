#include "core/SystemLog.h"

#include <cstdio>
#include <mutex>

void systemLog(const QString& message) {
    static std::mutex lock;
    const QByteArray line = ("Voxmere: " + message + "\n").toUtf8();
    std::lock_guard guard(lock);
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
