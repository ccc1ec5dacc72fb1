#include "core/Wav.h"
#include "engine/MultipartBody.h"
#include "support/TempSettings.h"
#include "support/TestEnvironment.h"
#include "text/Vocabulary.h"
#include "support/WaitFor.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <gtest/gtest.h>

// The real executable, started the way a desktop starts it.
namespace {
// A private runtime folder gives this test its own single-instance socket.
QString runtimeDir() {
    static QTemporaryDir dir;
    return dir.path();
}

QProcessEnvironment environment(const QString& model = "/nonexistent/model.bin") {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VOXMERE_MODEL", model);
    // Nothing in a test reaches beyond this computer: a missing model is fetched from nowhere.
    env.insert("VOXMERE_MODEL_URL", "http://127.0.0.1:9/none");
    env.insert("XDG_RUNTIME_DIR", runtimeDir());
    return env;
}

std::unique_ptr<QProcess> start(const QStringList& args,
                                const QProcessEnvironment& env = environment(),
                                const QString& program = VOXMERE_BIN) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(program, args);
    p->waitForStarted();
    return p;
}

// A copy of the executable with the stand-in engine beside it, where the engine search looks
// first (the real engine is built beside the original); empty when it can't be made.
QString besideStandIn(const QTemporaryDir& dir) {
    const QString program = dir.filePath("voxmere");
    if (!QFile::copy(VOXMERE_BIN, program) ||
        !QFile::link(STANDIN_ENGINE, dir.filePath("whisper-server")))
        return {};
    return program;
}

bool waitForSocket(int ms) {
    return waitFor([] { return QFileInfo::exists(runtimeDir() + "/voxmere.sock"); }, ms);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool engineAnswers() {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, 8178);
    return socket.waitForConnected(500);
}
} // namespace

TEST(AppProcess, ASecondLaunchDefersToTheFirstAndTermQuitsCleanly) {
    auto first = start({"--background"});
    ASSERT_EQ(first->state(), QProcess::Running);
    ASSERT_TRUE(waitForSocket(10000));
    auto second = start({"--background"});
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    first->terminate();
    ASSERT_TRUE(first->waitForFinished(5000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0);

    auto next = start({"--background"});
    EXPECT_FALSE(next->waitForFinished(1500)) << "a new start after a quit keeps running";
    next->terminate();
    next->waitForFinished(5000);
}

// A crash leaves the socket and the claim on the name behind; neither may block the next start.
TEST(AppProcess, AStartAfterACrashRuns) {
    auto crashed = start({"--background"});
    ASSERT_TRUE(waitForSocket(10000));
    crashed->kill();
    crashed->waitForFinished(5000);
    ASSERT_TRUE(QFileInfo::exists(runtimeDir() + "/voxmere.sock"));

    auto next = start({"--background"});
    EXPECT_FALSE(next->waitForFinished(1500)) << "the next start keeps running";
    auto second = start({"--background"});
    EXPECT_TRUE(second->waitForFinished(5000)) << "and is the one that later launches defer to";
    next->terminate();
    next->waitForFinished(5000);
}

TEST(AppProcess, LaunchesTheEngineWithItsArgumentsAndStopsItOnQuit) {
    QTemporaryDir standIn;
    QFile model(standIn.filePath("model.bin"));
    ASSERT_TRUE(model.open(QIODevice::WriteOnly));
    model.close();
    auto env = environment(standIn.filePath("model.bin"));
    env.insert("VOXMERE_STANDIN_DIR", standIn.path());
    const QString program = besideStandIn(standIn);
    ASSERT_FALSE(program.isEmpty());

    auto app = start({"--background"}, env, program);
    ASSERT_TRUE(waitFor([&] { return !read(standIn.filePath("args")).isEmpty(); }, 10000));
    const int threads = std::max(QThread::idealThreadCount() - 2, 4);
    EXPECT_EQ(QString::fromUtf8(read(standIn.filePath("args"))).split('\n', Qt::SkipEmptyParts),
              (QStringList{"-m", standIn.filePath("model.bin"), "--host", "127.0.0.1", "--port",
                           "8178", "-t", QString::number(threads), "-nt"}));
    EXPECT_TRUE(waitFor(engineAnswers, 5000));
    const QString serverLog = TestEnvironment::home() + "/.local/share/Voxmere/server.log";
    EXPECT_TRUE(waitFor([&] { return !read(serverLog).isEmpty(); }, 5000));

    app->terminate();
    ASSERT_TRUE(app->waitForFinished(5000));
    EXPECT_EQ(app->exitCode(), 0);
    EXPECT_TRUE(waitFor([] { return !engineAnswers(); }, 5000));
}

// A local web server stands in for the model host; the engine starts once the model is in place.
TEST(AppProcess, AMissingModelIsDownloadedThenTheEngineStarts) {
    QTemporaryDir host, standIn;
    QFile served(host.filePath("model.bin"));
    ASSERT_TRUE(served.open(QIODevice::WriteOnly));
    ASSERT_TRUE(served.resize(500'000'000)) << "sparse: no disk is filled";
    served.close();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const int port = probe.serverPort();
    probe.close();
    QProcess web;
    web.start("python3", {"-m", "http.server", QString::number(port), "--bind", "127.0.0.1",
                          "--directory", host.path()});
    ASSERT_TRUE(web.waitForStarted());
    ASSERT_TRUE(waitFor(
        [&] {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, quint16(port));
            return s.waitForConnected(200);
        },
        5000));

    const QString model = standIn.filePath("models/model.bin");
    auto env = environment(model);
    env.insert("VOXMERE_MODEL_URL", QString("http://127.0.0.1:%1/model.bin").arg(port));
    env.insert("VOXMERE_STANDIN_DIR", standIn.path());
    const QString program = besideStandIn(standIn);
    ASSERT_FALSE(program.isEmpty());
    auto app = start({"--background"}, env, program);
    ASSERT_TRUE(waitFor([&] { return !read(standIn.filePath("args")).isEmpty(); }, 60000));
    EXPECT_EQ(QFileInfo(model).size(), 500'000'000);
    EXPECT_TRUE(QString::fromUtf8(read(standIn.filePath("args"))).startsWith("-m\n" + model));
    const QString log = TestEnvironment::home() + "/.local/share/Voxmere/debug.log";
    EXPECT_TRUE(read(log).contains("model download done"));
    app->terminate();
    ASSERT_TRUE(app->waitForFinished(5000));
    web.kill();
    web.waitForFinished();
}

TEST(AppProcess, AnEmptyModelPathLeavesTheEngineStoppedAndSaysSoInTheDebugLog) {
    const QString log = TestEnvironment::home() + "/.local/share/Voxmere/debug.log";
    QFile::remove(log);
    auto app = start({"--background"}, environment(""));
    EXPECT_TRUE(waitFor([&] { return read(log).contains("model download failed: no model path"); },
                        5000));
    EXPECT_FALSE(engineAnswers());
    app->terminate();
    app->waitForFinished(5000);
}

TEST(AppProcess, DictateTestSendsTheFileAsOneRequestAndWritesRawAndFinalText) {
    QTemporaryDir standIn;
    QFile model(standIn.filePath("model.bin"));
    ASSERT_TRUE(model.open(QIODevice::WriteOnly));
    model.close();
    {
        QFile replies(standIn.filePath("replies"));
        ASSERT_TRUE(replies.open(QIODevice::WriteOnly));
        replies.write("text  um, the test words \n");
    }
    std::vector<int16_t> samples(24000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t((i * 37) % 2000 - 1000);
    const QString wav = standIn.filePath("in.wav"), out = standIn.filePath("out.txt");
    {
        QFile file(wav);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Wav::bytes(samples));
    }
    auto env = environment(standIn.filePath("model.bin"));
    env.insert("VOXMERE_STANDIN_DIR", standIn.path());
    env.insert("VOXMERE_DICTATE_AFTER", "0.5");
    const QString program = besideStandIn(standIn);
    ASSERT_FALSE(program.isEmpty());

    auto app = start({"--background", "--dictate-test", wav, out}, env, program);
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(out); }, 15000))
        << read(TestEnvironment::home() + "/.local/share/Voxmere/debug.log").toStdString();
    EXPECT_EQ(read(out), "um, the test words\n---\nThe test words");
    EXPECT_FALSE(app->waitForFinished(500)) << "keeps running";

    ASSERT_FALSE(QFileInfo::exists(standIn.filePath("requests/2.body")));
    const QByteArray type = read(standIn.filePath("requests/1.type"));
    MultipartBody expected(type.mid(type.indexOf("boundary=") + 9));
    expected.addField("response_format", "text");
    expected.addField("temperature", "0.0");
    expected.addField("language", "en");
    expected.addField("prompt", Vocabulary::prompt(TempSettings().settings.vocab()));
    expected.addFile("file", "a.wav", "audio/wav", Wav::bytes(samples));
    EXPECT_EQ(read(standIn.filePath("requests/1.body")), expected.finish());
    const QByteArray log = read(TestEnvironment::home() + "/.local/share/Voxmere/debug.log");
    EXPECT_TRUE(log.contains("dictation test start"));
    EXPECT_TRUE(log.contains("dictation test done words=3"));
    app->terminate();
    app->waitForFinished(5000);
}

namespace {
const QString meetingId = "5A0E6C1B-2F7D-4C3A-9B1E-0D2C4F6A8B10";

QString meetingFile() {
    return TestEnvironment::home() + "/.local/share/Voxmere/meetings/" + meetingId + ".json";
}

void prepareMeeting() {
    QDir().mkpath(QFileInfo(meetingFile()).path());
    QFile f(meetingFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"id\":\"" + meetingId.toUtf8() +
            "\",\"start\":\"2025-03-01T10:00:00Z\",\"end\":\"2025-03-01T10:05:00Z\","
            "\"title\":\"Zoom call\",\"file\":\"call.md\",\"lines\":[{\"id\":"
            "\"0B6C7D8E-1A2B-4C3D-8E9F-A0B1C2D3E4F5\",\"t\":1,\"who\":\"Them\","
            "\"text\":\"hello\",\"speaker\":\"S1\"}]}");
}
} // namespace

TEST(AppProcess, RenameNamesTheSpeakerAndQuitsButRefusesBesideARunningVoxmere) {
    prepareMeeting();
    auto running = start({"--background"});
    ASSERT_TRUE(waitForSocket(10000));
    QProcess refused;
    refused.setProcessEnvironment(environment());
    refused.start(VOXMERE_BIN, {"--rename", meetingId, "S1", "Ada"});
    ASSERT_TRUE(refused.waitForFinished(5000));
    EXPECT_EQ(refused.exitCode(), 1);
    EXPECT_EQ(refused.readAllStandardError(), "Voxmere is already running; quit it first\n");
    running->terminate();
    ASSERT_TRUE(running->waitForFinished(5000));

    auto rename = start({"--background", "--rename", meetingId, "S1", " Ada "});
    ASSERT_TRUE(rename->waitForFinished(15000)) << "quits by itself";
    EXPECT_EQ(rename->exitCode(), 0);
    EXPECT_TRUE(read(meetingFile()).contains("\"names\":{\"S1\":\"Ada\"}"));
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(meetingFile()).path() + "/call.md"));

    auto malformed = start({"--background", "--rename", "not-an-id", "S1", "Bob"});
    EXPECT_FALSE(malformed->waitForFinished(7500)) << "runs as usual";
    malformed->terminate();
    malformed->waitForFinished(5000);
    EXPECT_FALSE(read(meetingFile()).contains("Bob"));
}
