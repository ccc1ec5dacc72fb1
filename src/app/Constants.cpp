#include "app/Constants.h"

#include "core/Paths.h"

#include <QFileInfo>

namespace {
Constants& stored() {
    static Constants constants;
    return constants;
}
} // namespace

Constants Constants::fromEnvironment(const QString& executableDir) {
    Constants c;
    c.port = 8178;
    c.modelDir = Paths::modelDir();
    c.modelPath = qEnvironmentVariableIsSet("VOXMERE_MODEL")
                      ? qEnvironmentVariable("VOXMERE_MODEL")
                      : c.modelDir + "/ggml-large-v3-turbo-q5_0.bin";
    c.serverBin = findServer(serverCandidates(executableDir), [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    });
    return c;
}

QStringList Constants::serverCandidates(const QString& executableDir) {
    return {executableDir + "/whisper-server", "/usr/local/bin/whisper-server",
            "/usr/bin/whisper-server"};
}

QString Constants::findServer(const QStringList& candidates,
                              const std::function<bool(const QString&)>& isExecutable) {
    for (const auto& candidate : candidates)
        if (isExecutable(candidate))
            return candidate;
    return QStringLiteral("whisper-server");
}

const Constants& Constants::current() {
    return stored();
}

void Constants::set(const Constants& constants) {
    stored() = constants;
}
