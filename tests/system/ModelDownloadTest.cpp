#include "system/ModelDownload.h"
#include "system/Net.h"
#include "uistate/UIState.h"

#include "core/Paths.h"
#include "support/TempSettings.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A web server on loopback that answers every request as told: a redirect, a status with a
// body of some size, with or without its length, or a transfer cut off half way.
class ModelHost : public QObject {
  public:
    int status = 200;
    qint64 size = 1000;
    bool announceLength = true;
    bool cutOff = false;
    bool redirectFirst = false;
    int requests = 0;

    ModelHost() {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    QUrl url(const QString& host = "127.0.0.1") const {
        return QUrl(QString("http://%1:%2/model.bin").arg(host).arg(server.serverPort()));
    }

  private:
    void answer(QTcpSocket* socket) {
        if (!socket->readAll().contains("\r\n\r\n"))
            return;
        ++requests;
        QByteArray head;
        if (redirectFirst && requests == 1) {
            head = "HTTP/1.1 302 Found\r\nLocation: /real.bin\r\nContent-Length: 0\r\n\r\n";
            socket->write(head);
            return;
        }
        head = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nConnection: close\r\n";
        if (announceLength)
            head += "Content-Length: " + QByteArray::number(size) + "\r\n";
        socket->write(head + "\r\n");
        socket->write(QByteArray(cutOff ? size / 2 : size, 'm'));
        socket->disconnectFromHost();
    }
    QTcpServer server;
};

class ModelDownloadTest : public ::testing::Test {
  protected:
    std::unique_ptr<ModelDownload> make(const QUrl& source) {
        return std::make_unique<ModelDownload>(
            ModelDownload::Options{source, destination, minimum}, state, temp.settings);
    }
    // Runs one download to its end; true when the model was reported in place.
    bool download(const QUrl& source) {
        auto d = make(source);
        bool finished = false;
        QObject::connect(d.get(), &ModelDownload::modelReady, [&] { finished = true; });
        d->start();
        EXPECT_TRUE(waitFor([&] { return !d->running(); }, 10000));
        return finished;
    }
    QString model() {
        QFile file(destination);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().left(4)) : "";
    }

    QTemporaryDir dir;
    QString destination = dir.filePath("models/ggml.bin");
    qint64 minimum = 1000;
    TempSettings temp;
    UIState state;
    ModelHost host;
};

} // namespace

TEST_F(ModelDownloadTest, AWholeFileOfTheMinimumSizeReplacesTheOldModelOnlyThen) {
    QDir().mkpath(dir.filePath("models"));
    QFile old(destination);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old!");
    old.close();

    host.size = minimum - 1;
    EXPECT_FALSE(download(host.url()));
    EXPECT_TRUE(state.modelFailed());
    EXPECT_EQ(model(), "old!") << "a failed download leaves the earlier model";
    EXPECT_FALSE(QFile::exists(destination + ".download"));

    host.size = minimum;
    EXPECT_TRUE(download(host.url()));
    EXPECT_EQ(model(), "mmmm");
    EXPECT_EQ(QFileInfo(destination).size(), minimum);
    EXPECT_FALSE(state.modelFailed());
    EXPECT_FALSE(state.modelProgress().has_value());
}

TEST_F(ModelDownloadTest, FailuresSayWhyAndSetTheFailedFlag) {
    const auto reasonFor = [&](auto&& setUp) {
        setUp();
        Paths::ensureDataDir();
        QFile::remove(Paths::dataFile("debug.log"));
        EXPECT_FALSE(download(host.url()));
        QFile log(Paths::dataFile("debug.log"));
        EXPECT_TRUE(state.modelFailed());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    };
    EXPECT_TRUE(reasonFor([&] { host.status = 404, host.size = 5000; })
                    .contains("model download failed: status=404 size=5000"));
    EXPECT_TRUE(reasonFor([&] { host.status = 200, host.size = 999; })
                    .contains("model download failed: status=200 size=999"));
    // Cut off half way: shorter than it said it would be, never put in place.
    EXPECT_TRUE(reasonFor([&] { host.size = 4000, host.cutOff = true; })
                    .contains("model download failed: "));
    EXPECT_FALSE(QFile::exists(destination));
    EXPECT_TRUE(reasonFor([&] {}).contains("model download start"));
}

TEST_F(ModelDownloadTest, AnEmptyDestinationFailsWithoutAsking) {
    destination.clear();
    EXPECT_FALSE(download(host.url()));
    EXPECT_TRUE(state.modelFailed());
    EXPECT_EQ(host.requests, 0);
}

TEST_F(ModelDownloadTest, FollowsARedirectAndJudgesTheFinalAnswer) {
    host.redirectFirst = true;
    EXPECT_TRUE(download(host.url()));
    EXPECT_EQ(host.requests, 2);
}

TEST_F(ModelDownloadTest, StartWhileRunningKeepsOneTransferReportedOnce) {
    host.size = 2'000'000;
    auto d = make(host.url());
    QStringList calls;
    QObject::connect(d.get(), &ModelDownload::modelReady, [&] { calls << "ready"; });
    d->start();
    d->start();
    ASSERT_TRUE(waitFor([&] { return !d->running(); }, 10000));
    EXPECT_EQ(calls, QStringList{"ready"});
    EXPECT_EQ(host.requests, 1);
}

TEST_F(ModelDownloadTest, ProgressMovesInStepsAboveHalfAPercentAndOnlyWithAKnownSize) {
    host.size = 20'000'000;
    QList<double> seen;
    QObject::connect(&state, &UIState::modelProgressChanged, [&] {
        if (state.modelProgress())
            seen << *state.modelProgress();
    });
    ASSERT_TRUE(download(host.url()));
    ASSERT_GE(seen.size(), 2);
    for (qsizetype i = 1; i < seen.size(); ++i)
        EXPECT_GT(seen[i] - seen[i - 1], 0.005);

    seen.clear();
    host.announceLength = false;
    ASSERT_TRUE(download(host.url()));
    EXPECT_EQ(seen, QList<double>{0.0}) << "only the reset at the start";
}

TEST(Net, CountsOnlyBytesSentOffThisComputer) {
    TempSettings temp;
    Settings& settings = temp.settings;
    Net::count(settings, QUrl("http://127.0.0.1:8178/inference"), 5000);
    Net::count(settings, QUrl("http://localhost/x"), 5000);
    Net::count(settings, QUrl("http://[::1]/x"), 5000);
    Net::count(settings, QUrl("https://example.org/model"), 0);
    EXPECT_EQ(settings.bytesUploaded(), 0);
    EXPECT_EQ(Net::uploadedText(0), "0 bytes");
    Net::count(settings, QUrl("https://example.org/model"), 1500);
    Net::count(settings, QUrl("https://example.org/model"), 1000);
    EXPECT_EQ(settings.bytesUploaded(), 2500);
    EXPECT_EQ(Net::uploadedText(2500), QLocale().formattedDataSize(2500, 1, QLocale::DataSizeSIFormat));
}
