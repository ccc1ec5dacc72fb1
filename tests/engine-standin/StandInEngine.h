#pragma once

#include "engine/EngineSupervisor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// One stand-in engine's control folder, model file and port for an integration test. The
// stand-in reads the folder from VOXMERE_STANDIN_DIR, which the supervisor's launch inherits.
// Ports are private to each test so tests never meet a real engine or each other.
class StandInEngine {
  public:
    explicit StandInEngine(int port) : port(port) {
        QFile model(dir.filePath("model.bin"));
        if (model.open(QIODevice::WriteOnly))
            model.write("not a real model");
        qputenv("VOXMERE_STANDIN_DIR", dir.path().toUtf8());
    }

    ~StandInEngine() { qunsetenv("VOXMERE_STANDIN_DIR"); }

    EngineSupervisor::Options options(
        std::function<bool()> axTrusted = [] { return true; }, int cores = 8) const {
        return {port,  dir.filePath("model.bin"), STANDIN_ENGINE, dir.filePath("server.log"),
                cores, std::move(axTrusted)};
    }

    void setReplies(const QByteArray& lines) const { write("replies", lines); }
    void setRootStatus(int status) const { write("root-status", QByteArray::number(status)); }
    void ignoreTerminate() const { write("ignore-term", ""); }
    void setLoadDelay(double seconds) const { write("load-delay", QByteArray::number(seconds)); }

    QStringList args() const {
        return QString::fromUtf8(read("args")).split('\n', Qt::SkipEmptyParts);
    }
    QByteArray serverLog() const { return read("server.log"); }
    int requests() const {
        return int(QDir(dir.filePath("requests")).entryList({"*.body"}, QDir::Files).size());
    }
    QByteArray body(int n) const { return read(QString("requests/%1.body").arg(n)); }
    QByteArray contentType(int n) const { return read(QString("requests/%1.type").arg(n)); }

    const int port;

  private:
    void write(const QString& name, const QByteArray& data) const {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(data);
    }

    QByteArray read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};
