#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
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

QProcessEnvironment environment() {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VOXMERE_MODEL", "/nonexistent/model.bin");
    env.insert("XDG_RUNTIME_DIR", runtimeDir());
    return env;
}

std::unique_ptr<QProcess> start(const QStringList& args) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(environment());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(VOXMERE_BIN, args);
    p->waitForStarted();
    return p;
}

bool waitForSocket(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (QFileInfo::exists(runtimeDir() + "/voxmere.sock"))
            return true;
        QThread::msleep(20);
    }
    return false;
}
} // namespace

TEST(AppProcess, aSecondLaunchDefersToTheFirstAndTermQuitsCleanly) {
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
