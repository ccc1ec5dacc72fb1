#include "engine/HttpEngineTransport.h"

#include "core/Dispatch.h"
#include "engine-standin/StandInEngine.h"
#include "support/EngineReady.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <atomic>
#include <mutex>
#include <optional>

namespace {

// Collects one completion from whichever thread delivers it.
template <typename T> class Outcome {
  public:
    std::function<void(T)> receiver() {
        return [this](T value) {
            std::lock_guard guard(lock);
            result = std::move(value);
            onMainThread = isMainThread();
        };
    }

    std::optional<T> wait(int ms = 10000) {
        const auto arrived = [this] {
            std::lock_guard guard(lock);
            return result.has_value();
        };
        if (!QTest::qWaitFor(arrived, ms))
            return std::nullopt;
        std::lock_guard guard(lock);
        return result;
    }

    bool deliveredOnMainThread() {
        std::lock_guard guard(lock);
        return onMainThread;
    }

  private:
    std::mutex lock;
    std::optional<T> result;
    bool onMainThread = false;
};

using Kind = EngineTransport::Reply::Kind;

class HttpEngineTransportTest : public testing::Test {
  protected:
    HttpEngineTransport transport;
    ManualScheduler clock;
    UIState ui;

    static QUrl inference(int port) {
        return QUrl(QString("http://127.0.0.1:%1/inference").arg(port));
    }

    std::optional<EngineTransport::Reply> post(int port, double timeout = 5.0) {
        Outcome<EngineTransport::Reply> outcome;
        transport.post(inference(port), "text/plain", "audio", timeout, outcome.receiver());
        auto reply = outcome.wait();
        EXPECT_FALSE(outcome.deliveredOnMainThread());
        return reply;
    }

    std::optional<bool> probe(int port) {
        Outcome<bool> outcome;
        transport.probe(QUrl(QString("http://127.0.0.1:%1/").arg(port)), 1.0, outcome.receiver());
        return outcome.wait();
    }
};

TEST_F(HttpEngineTransportTest, AnyHttpStatusIsAnAnswerWithItsBody) {
    StandInEngine standIn(18231);
    standIn.setReplies("status 500 plain words\nerror model busy\ntext fine\n");
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));

    auto reply = post(standIn.port);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->kind, Kind::answered);
    EXPECT_EQ(reply->body, "plain words");
    EXPECT_EQ(reply->status, 500);
    reply = post(standIn.port);
    EXPECT_EQ(reply->kind, Kind::answered);
    EXPECT_EQ(reply->body, "{\"error\":\"model busy\"}");
    EXPECT_EQ(reply->status, 200);
    reply = post(standIn.port);
    EXPECT_EQ(reply->body, "fine");
    EXPECT_EQ(standIn.body(1), "audio");
}

TEST_F(HttpEngineTransportTest, SilenceIsATimeoutButARefusalOrADyingEngineIsAFailure) {
    StandInEngine standIn(18232);
    // The engine finishes work the client gave up on before it takes the next request.
    standIn.setReplies("slow 1 late\nexit\n");
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));

    QElapsedTimer elapsed;
    elapsed.start();
    auto reply = post(standIn.port, 0.3);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->kind, Kind::timedOut);
    EXPECT_GE(elapsed.elapsed(), 250);

    reply = post(standIn.port);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->kind, Kind::failed);

    reply = post(18239);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->kind, Kind::failed);
}

TEST_F(HttpEngineTransportTest, ProbeCountsAnyResponseAndNothingElse) {
    StandInEngine standIn(18233);
    standIn.setRootStatus(404);
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe(standIn.port) == true; }, 10000));
    standIn.setRootStatus(500);
    EXPECT_EQ(probe(standIn.port), true);
    EXPECT_EQ(probe(18239), false);
}

// On a connection kept open from an earlier request, the end of the upload waits for the
// engine's delayed acknowledgement, and the engine's reply for ours: some 40 ms each way.
TEST_F(HttpEngineTransportTest, EachRequestOpensAConnectionOfItsOwn) {
    QTcpServer engine;
    ASSERT_TRUE(engine.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&engine, &QTcpServer::newConnection, [&] {
        ++connections;
        QTcpSocket* socket = engine.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            if (socket->readAll().endsWith("audio"))
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        });
    });
    for (int request = 0; request < 2; ++request) {
        const auto reply = post(engine.serverPort());
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->body, "ok");
        QTest::qWait(100); // dictations come seconds apart
    }
    EXPECT_EQ(connections, 2);
}

TEST_F(HttpEngineTransportTest, RequestsStillOpenWhenItIsDestroyedAreDropped) {
    StandInEngine standIn(18234);
    standIn.setReplies("silent\n");
    EngineSupervisor supervisor(standIn.options(), transport, ui, clock);
    supervisor.startServer();
    ASSERT_TRUE(waitUntilEngineReady(supervisor, ui));

    std::atomic<int> completions = 0;
    {
        HttpEngineTransport doomed;
        doomed.post(inference(standIn.port), "text/plain", "audio", 30.0,
                    [&](EngineTransport::Reply) { ++completions; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return standIn.requests() == 1; }, 10000));
    }
    QTest::qWait(200);
    EXPECT_EQ(completions, 0);
}

} // namespace
