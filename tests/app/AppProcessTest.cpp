#include "core/Wav.h"
#include "engine/MultipartBody.h"
#include "support/TempSettings.h"
#include "support/TestEnvironment.h"
#include "text/Vocabulary.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QProcessEnvironment>
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
    env.insert("XDG_RUNTIME_DIR", runtimeDir());
    return env;
}

std::unique_ptr<QProcess> start(const QStringList& args,
                                const QProcessEnvironment& env = environment()) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(VOXMERE_BIN, args);
    p->waitForStarted();
    return p;
}

bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (condition())
            return true;
        QThread::msleep(20);
    }
    return false;
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

// The stand-in engine stands on PATH under the real name, as a user's own build would.
TEST(AppProcess, LaunchesTheEngineWithItsArgumentsAndStopsItOnQuit) {
    QTemporaryDir standIn;
    QFile model(standIn.filePath("model.bin"));
    ASSERT_TRUE(model.open(QIODevice::WriteOnly));
    model.close();
    auto env = environment(standIn.filePath("model.bin"));
    env.insert("PATH", QFileInfo(STANDIN_ENGINE).path() + ":" + env.value("PATH"));
    env.insert("VOXMERE_STANDIN_DIR", standIn.path());

    auto app = start({"--background"}, env);
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

TEST(AppProcess, AMissingModelLeavesTheEngineStoppedAndSaysSoInTheDebugLog) {
    const QString log = TestEnvironment::home() + "/.local/share/Voxmere/debug.log";
    QFile::remove(log);
    auto app = start({"--background"}, environment(""));
    EXPECT_TRUE(waitFor([&] { return read(log).contains("model missing"); }, 5000));
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
    std::vector<qint16> samples(24000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = qint16((i * 37) % 2000 - 1000);
    const QString wav = standIn.filePath("in.wav"), out = standIn.filePath("out.txt");
    {
        QFile file(wav);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Wav::bytes(samples));
    }
    auto env = environment(standIn.filePath("model.bin"));
    env.insert("PATH", QFileInfo(STANDIN_ENGINE).path() + ":" + env.value("PATH"));
    env.insert("VOXMERE_STANDIN_DIR", standIn.path());
    env.insert("VOXMERE_DICTATE_AFTER", "0.5");

    auto app = start({"--background", "--dictate-test", wav, out}, env);
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
