#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The real voxmere with the stand-in engine beside it under the real engine's name, on the
// display and sound server the fixtures gave. The target defines VOXMERE_BIN and STANDIN_ENGINE.
class RunningVoxmere {
  public:
    RunningVoxmere() {
        write("model.bin", "not a real model");
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("VOXMERE_MODEL", engine.filePath("model.bin"));
        env.insert("VOXMERE_STANDIN_DIR", engine.path());
        env.insert("VOXMERE_MODEL_URL", "http://127.0.0.1:9/none");
        env.insert("QT_QPA_PLATFORM", "xcb");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        // A copy with the stand-in beside it, where the engine search looks first.
        const QString program = engine.filePath("voxmere");
        QFile::copy(VOXMERE_BIN, program);
        QFile::link(STANDIN_ENGINE, engine.filePath("whisper-server"));
        process.start(program, {"--background"});
        // Engine up, and the ping that marks it ready has had its 2 s.
        (void)QTest::qWaitFor(engineAnswers, 10000);
        QTest::qWait(2500);
    }
    ~RunningVoxmere() {
        process.terminate();
        process.waitForFinished(5000);
    }

    static bool engineAnswers() {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, 8178);
        return socket.waitForConnected(200);
    }
    bool running() const { return process.state() == QProcess::Running; }
    int requests() const {
        return int(QDir(engine.filePath("requests")).entryList({"*.body"}, QDir::Files).size());
    }
    QByteArray body(int n) const { return read(QString("requests/%1.body").arg(n)); }
    // The stand-in's answers, one directive a line.
    void reply(const QByteArray& lines) { write("replies", lines); }

  private:
    QByteArray read(const QString& name) const {
        QFile f(engine.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& data) {
        QFile f(engine.filePath(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(data);
    }

    QTemporaryDir engine;
    QProcess process;
};
