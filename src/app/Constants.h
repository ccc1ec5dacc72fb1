#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The process-wide values fixed once at start: the engine's port, where its model lives and which
// engine executable to launch.
struct Constants {
    int port = 8178;
    QString modelDir;
    QString modelPath;
    QString serverBin;

    // "VOXMERE_MODEL" wins whenever it is present, even empty (an empty path counts as missing).
    static Constants fromEnvironment(const QString& executableDir);
    // The first executable candidate, else the bare name (found on PATH when launched).
    static QString findServer(const QStringList& candidates,
                              const std::function<bool(const QString&)>& isExecutable);
    static QStringList serverCandidates(const QString& executableDir);

    static const Constants& current();
    static void set(const Constants& constants);
};
