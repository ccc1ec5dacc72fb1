#include "engine/EngineClient.h"

#include "core/Wav.h"
#include "engine/DictationGate.h"
#include "support/FakeEngineTransport.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

class EngineClientTest : public testing::Test {
  protected:
    ManualScheduler time;
    FakeEngineTransport engine;
    DictationGate gate;
    QString language = "en";
    // How many requests had been sent when each restart was asked for.
    std::vector<size_t> restartsAfter;
    EngineClient client{{18178, [this] { return language; },
                         [this] { restartsAfter.push_back(engine.posts.size()); }},
                        engine,
                        gate,
                        time};
    std::vector<std::optional<QString>> results;

    void transcribe(int attempt = 0, bool background = false, const QString& prompt = {}) {
        client.transcribe(Wav::bytes(std::vector<int16_t>{1, 2, 3}), prompt, attempt, background,
                          [this](std::optional<QString> text) { results.push_back(text); });
    }

    static QByteArray boundaryOf(const QByteArray& contentType) {
        return contentType.mid(contentType.indexOf('=') + 1);
    }

    static QByteArray field(const QByteArray& boundary, const char* name, const QByteArray& value) {
        return "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name +
               "\"\r\n\r\n" + value + "\r\n";
    }

    static QByteArray filePart(const QByteArray& boundary, const QByteArray& wav) {
        return "--" + boundary +
               "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"a.wav\"\r\n"
               "Content-Type: audio/wav\r\n\r\n" +
               wav + "\r\n--" + boundary + "--\r\n";
    }
};

TEST_F(EngineClientTest, PostsTheMultipartFormByteForByte) {
    language = "de";
    transcribe(0, false, QString::fromUtf8("Grüße, Kubernetes"));
    ASSERT_EQ(engine.posts.size(), 1u);
    const auto& post = engine.posts[0];
    EXPECT_EQ(post.url.toString(), "http://127.0.0.1:18178/inference");
    EXPECT_TRUE(QRegularExpression("^multipart/form-data; boundary=voxmere-[0-9A-F]{8}-[0-9A-F]{4}-"
                                   "[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$")
                    .match(QString::fromLatin1(post.contentType))
                    .hasMatch())
        << post.contentType.constData();
    const QByteArray b = boundaryOf(post.contentType);
    EXPECT_EQ(post.body, field(b, "response_format", "text") + field(b, "temperature", "0.0") +
                             field(b, "language", "de") +
                             field(b, "prompt", QString::fromUtf8("Grüße, Kubernetes").toUtf8()) +
                             filePart(b, Wav::bytes(std::vector<int16_t>{1, 2, 3})));
}

// The engine keeps the last request's settings, so a prompt that is left out would be the one
// a failed request before it sent.
TEST_F(EngineClientTest, EmptyPromptIsStillSentAndEachRequestHasItsOwnBoundary) {
    transcribe(0, false, "Kubernetes");
    engine.answer("{\"error\":\"failed to process audio\"}");
    transcribe();
    ASSERT_EQ(engine.posts.size(), 2u);
    const QByteArray b = boundaryOf(engine.posts[1].contentType);
    EXPECT_EQ(engine.posts[1].body, field(b, "response_format", "text") +
                                        field(b, "temperature", "0.0") +
                                        field(b, "language", "en") + field(b, "prompt", "") +
                                        filePart(b, Wav::bytes(std::vector<int16_t>{1, 2, 3})));
    EXPECT_NE(boundaryOf(engine.posts[0].contentType), b);
}

TEST_F(EngineClientTest, TimeoutIsTwentySecondsPlusHalfTheAudio) {
    EXPECT_DOUBLE_EQ(EngineClient::timeoutFor(Wav::bytes(std::vector<int16_t>{})), 20.0 + 0.5 * 44 / 32000);
    const QByteArray tenSeconds = Wav::bytes(std::vector<int16_t>(160000));
    EXPECT_DOUBLE_EQ(EngineClient::timeoutFor(tenSeconds), 20.0 + 0.5 * 320044 / 32000);
    client.transcribe(tenSeconds, {}, 0, false, [](auto) {});
    EXPECT_DOUBLE_EQ(engine.posts.at(0).timeoutSeconds, EngineClient::timeoutFor(tenSeconds));
}

TEST_F(EngineClientTest, AnswerOfAnyKindIsPassedOnExactlyAsReceived) {
    transcribe();
    engine.answer(" Hello there.\n");
    transcribe();
    engine.answer("");
    transcribe();
    engine.answer("{\"err\": not an error reply}");
    time.advance(60);
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{" Hello there.\n", "",
                                                            "{\"err\": not an error reply}"}));
    EXPECT_EQ(engine.posts.size(), 3u);
    EXPECT_TRUE(restartsAfter.empty());
}

// The engine's own failures ("500 Internal Server Error\n…", "Invalid request") are not speech.
TEST_F(EngineClientTest, ReplyAtFourHundredOrAboveTakesTheErrorPathWhateverItsBody) {
    transcribe();
    engine.answer("500 Internal Server Error\nstd::bad_alloc", 500);
    time.advance(2);
    engine.answer("Invalid request", 400);
    time.advance(2);
    engine.answer(" fine now\n");
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{" fine now\n"}));
    EXPECT_EQ(restartsAfter, (std::vector<size_t>{1, 2}));
}

// The engine serves one request at a time behind a lock; sending it more only makes the later
// ones count its queue against their timeout.
TEST_F(EngineClientTest, RequestsGoOneAtATimeDictationFirstInOrderWithinEach) {
    const auto send = [this](int16_t tag, bool background) {
        client.transcribe(Wav::bytes(std::vector<int16_t>{tag}), {}, 0, background,
                          [this](std::optional<QString> text) { results.push_back(text); });
    };
    send(1, true);
    send(2, true);
    send(3, false);
    send(4, false);
    const auto sentLast = [this] { return engine.posts.back().body; };
    std::vector<int16_t> order;
    for (int n = 1; n <= 4; ++n) {
        ASSERT_EQ(engine.posts.size(), size_t(n));
        ASSERT_EQ(engine.open(), 1u);
        for (int16_t tag = 1; tag <= 4; ++tag)
            if (sentLast().contains(Wav::bytes(std::vector<int16_t>{tag})))
                order.push_back(tag);
        if (n == 1)
            engine.timeOut(); // its retry waits 2 s; the queue goes on meanwhile
        else
            engine.answer("t");
    }
    EXPECT_EQ(order, (std::vector<int16_t>{1, 3, 4, 2}));
    time.advance(2);
    ASSERT_EQ(engine.open(), 1u);
    EXPECT_TRUE(sentLast().contains(Wav::bytes(std::vector<int16_t>{1})));
    EXPECT_DOUBLE_EQ(engine.posts.back().timeoutSeconds, EngineClient::timeoutFor(Wav::bytes(std::vector<int16_t>{1})));
}

TEST_F(EngineClientTest, BodyThatIsNotUtf8GivesNothing) {
    transcribe();
    engine.answer("caf\xC3");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], std::nullopt);
    EXPECT_EQ(time.waiting(), 0u);
}

TEST_F(EngineClientTest, ErrorRepliesRestartAndRetryTwoSecondsLaterUntilTheFourth) {
    transcribe();
    for (int reply = 1; reply <= 3; ++reply) {
        engine.answer("{\"error\":\"failed to process audio\"}");
        time.advance(1.99);
        EXPECT_EQ(engine.open(), 0u);
        time.advance(0.01);
        ASSERT_EQ(engine.open(), 1u) << "retry after error reply " << reply;
    }
    engine.answer("{\"error\":\"failed to process audio\"}");
    time.advance(60);
    EXPECT_EQ(engine.posts.size(), 4u); // attempts 0, 5, 10, 15
    EXPECT_EQ(restartsAfter, (std::vector<size_t>{1, 2, 3}));
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{std::nullopt}));
}

TEST_F(EngineClientTest, ErrorReplyAtAttemptFifteenGivesUpWithoutRestart) {
    transcribe(15);
    engine.answer("{\"error\":\"busy\"}");
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{std::nullopt}));
    EXPECT_TRUE(restartsAfter.empty());
    EXPECT_EQ(time.waiting(), 0u);
}

TEST_F(EngineClientTest, TimeoutJumpsToAttemptFifteenSoTheSecondTimeoutGivesUp) {
    transcribe();
    engine.timeOut();
    EXPECT_EQ(restartsAfter, (std::vector<size_t>{1}));
    time.advance(1.99);
    EXPECT_EQ(engine.open(), 0u);
    time.advance(0.01);
    ASSERT_EQ(engine.open(), 1u);
    engine.timeOut();
    EXPECT_EQ(restartsAfter, (std::vector<size_t>{1, 2}));
    time.advance(60);
    EXPECT_EQ(engine.posts.size(), 2u);
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{std::nullopt}));
}

TEST_F(EngineClientTest, TimeoutLateInTheChainAddsFive) {
    transcribe(11);
    engine.timeOut();
    time.advance(2);
    // Attempt 16 now: an error reply no longer earns a restart.
    engine.answer("{\"error\":\"busy\"}");
    EXPECT_EQ(restartsAfter, (std::vector<size_t>{1}));
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{std::nullopt}));
}

TEST_F(EngineClientTest, RefusedConnectionsRetryEveryHalfSecondWithOneRestartAtAttemptTwelve) {
    transcribe();
    for (int request = 1; request <= 20; ++request) {
        engine.refuse();
        time.advance(0.49);
        EXPECT_EQ(engine.open(), 0u);
        time.advance(0.01);
        ASSERT_EQ(engine.open(), 1u) << "retry after refusal " << request;
    }
    engine.refuse();
    time.advance(60);
    EXPECT_EQ(engine.posts.size(), 21u);
    EXPECT_EQ(restartsAfter, (std::vector<size_t>{13}));
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{std::nullopt}));
}

TEST_F(EngineClientTest, EngineThatComesUpAfterRefusalsAnswers) {
    transcribe();
    for (int i = 0; i < 3; ++i) {
        engine.refuse();
        time.advance(0.5);
    }
    engine.answer("late but fine");
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{"late but fine"}));
    EXPECT_EQ(time.waiting(), 0u);
}

TEST_F(EngineClientTest, BackgroundWorkWaitsWhileADictationIsAtTheEngine) {
    gate.begin();
    transcribe(0, true);
    EXPECT_EQ(engine.posts.size(), 0u);
    time.advance(10);
    EXPECT_EQ(engine.posts.size(), 0u);

    transcribe(0, false);
    EXPECT_EQ(engine.posts.size(), 1u) << "dictation itself is never held back";

    gate.end();
    engine.answer("piece");
    time.advance(0.25);
    EXPECT_EQ(engine.posts.size(), 2u);
}

TEST_F(EngineClientTest, BackgroundRetryAlsoWaitsForDictation) {
    transcribe(0, true);
    engine.refuse();
    gate.begin();
    time.advance(5);
    EXPECT_EQ(engine.open(), 0u);
    gate.end();
    time.advance(0.25);
    ASSERT_EQ(engine.open(), 1u);
    engine.answer("call piece");
    EXPECT_EQ(results, (std::vector<std::optional<QString>>{"call piece"}));
}

// At quit the client goes before the retries and replies it has scheduled; they must find it
// gone rather than use it.
TEST_F(EngineClientTest, ChainsStillWaitingWhenTheClientIsDestroyedEndQuietly) {
    std::vector<std::optional<QString>> late;
    auto client = std::make_unique<EngineClient>(
        EngineClient::Options{18178, [] { return QString("en"); }, [] {}}, engine, gate, time);
    const auto done = [&](std::optional<QString> text) { late.push_back(text); };
    client->transcribe(Wav::bytes(std::vector<int16_t>{1}), {}, 0, false, done);
    engine.refuse();
    client->transcribe(Wav::bytes(std::vector<int16_t>{2}), {}, 0, false, done);
    gate.begin();
    client->transcribe(Wav::bytes(std::vector<int16_t>{3}), {}, 0, true, done);
    client.reset();

    engine.answer("too late");
    time.advance(60);
    EXPECT_EQ(engine.posts.size(), 2u);
    EXPECT_TRUE(late.empty());
    EXPECT_EQ(time.waiting(), 0u);
}

} // namespace
