#include "core/DebugLog.h"
#include "core/Paths.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {
QByteArray read(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void fill(const QString& path, qint64 size) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(size, 'x'));
}
} // namespace

TEST(DebugLog, LineIsUtcIsoTimeBlankMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("debug.log");
    DebugLog::append(path, "héllo");
    const QString text = QString::fromUtf8(read(path));
    EXPECT_TRUE(
        QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ héllo\n$)").match(text).hasMatch())
        << text.toStdString();
}

TEST(DebugLog, FileOverLimitIsReplacedAndFileAtLimitIsAppended) {
    QTemporaryDir dir;
    const QString over = dir.filePath("over.log");
    fill(over, DebugLog::limit + 1);
    DebugLog::append(over, "fresh");
    EXPECT_TRUE(read(over).endsWith(" fresh\n"));
    EXPECT_LT(read(over).size(), 40);

    const QString at = dir.filePath("at.log");
    fill(at, DebugLog::limit);
    DebugLog::append(at, "kept");
    EXPECT_GT(read(at).size(), DebugLog::limit);
    EXPECT_TRUE(read(at).startsWith("xxxx"));
}

TEST(DebugLog, ConcurrentCallersWriteWholeLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("debug.log");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i)
                DebugLog::append(path, QString("thread %1 line %2 ").arg(t).arg(i).repeated(3));
        });
    for (auto& t : threads)
        t.join();
    const auto lines = read(path).split('\n');
    EXPECT_EQ(lines.size(), 801);
    for (const auto& line : lines.mid(0, 800))
        EXPECT_TRUE(QRegularExpression(R"(^\S+Z (thread \d line \d+ ){3}$)")
                        .match(QString::fromUtf8(line))
                        .hasMatch());
}

TEST(DebugLog, GoesToTheDataFolderWhichIsPrivate) {
    ASSERT_TRUE(Paths::ensureDataDir());
    debugLog("first");
    EXPECT_TRUE(read(Paths::dataFile("debug.log")).endsWith(" first\n"));
    EXPECT_EQ(QFile::permissions(Paths::dataDir()) & 0x0077, 0);
    EXPECT_TRUE(Paths::dataDir().endsWith("/.local/share/Voxmere"));
}
