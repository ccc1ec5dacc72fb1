#include "engine/EngineClient.h"

#include "core/Scheduler.h"
#include "engine/DictationGate.h"
#include "engine/MultipartBody.h"
#include "core/Wav.h"

#include <QStringDecoder>

namespace {
constexpr double backgroundYield = 0.25;
constexpr double troubleDelay = 2.0;
constexpr double refusedDelay = 0.5;
constexpr int lastHopefulAttempt = 14;
constexpr int restartAttempt = 12;
constexpr int lastRefusedAttempt = 19;

std::optional<QString> decodeUtf8(const QByteArray& body) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(body);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
} // namespace

// The client's state, shared with the work it has scheduled, which holds it weakly.
class EngineClient::Chains : public std::enable_shared_from_this<Chains> {
  public:
    Chains(Options options, EngineTransport& transport, DictationGate& gate, Scheduler& retries)
        : options(std::move(options)), transport(transport), gate(gate), retries(retries) {}

    struct Call {
        QByteArray wav;
        QString prompt;
        int attempt;
        bool background;
        Done done;
    };

    void send(Call call);

  private:
    void later(double seconds, Call call);
    void handle(Call call, const EngineTransport::Reply& reply);
    void handleAnswer(Call call, const QByteArray& body);
    void handleTimeout(Call call);
    void handleFailure(Call call);
    void retry(Call call, double afterSeconds, int attempt);

    Options options;
    EngineTransport& transport;
    DictationGate& gate;
    Scheduler& retries;
};

EngineClient::EngineClient(Options options, EngineTransport& transport, DictationGate& gate,
                           Scheduler& retries)
    : chains(std::make_shared<Chains>(std::move(options), transport, gate, retries)) {}

EngineClient::~EngineClient() = default;

double EngineClient::timeoutFor(const QByteArray& wav) {
    return 20.0 + 0.5 * (double(wav.size()) / Wav::bytesPerSecond);
}

void EngineClient::transcribe(const QByteArray& wav, const QString& prompt, int attempt,
                              bool background, Done done) {
    chains->send({wav, prompt, attempt, background, std::move(done)});
}

void EngineClient::Chains::later(double seconds, Call call) {
    retries.after(seconds, [weak = weak_from_this(), call = std::move(call)] {
        if (auto self = weak.lock())
            self->send(call);
    });
}

void EngineClient::Chains::send(Call call) {
    if (call.background && gate.inFlight() > 0)
        return later(backgroundYield, std::move(call));
    MultipartBody body(MultipartBody::newBoundary());
    body.addField("response_format", "text");
    body.addField("temperature", "0.0");
    body.addField("language", options.language());
    if (!call.prompt.isEmpty())
        body.addField("prompt", call.prompt);
    body.addFile("file", "a.wav", "audio/wav", call.wav);
    const QUrl url(QString("http://127.0.0.1:%1/inference").arg(options.port));
    const QByteArray contentType = body.contentType();
    transport.post(url, contentType, body.finish(), timeoutFor(call.wav),
                   [weak = weak_from_this(), call](EngineTransport::Reply reply) {
                       if (auto self = weak.lock())
                           self->handle(call, reply);
                   });
}

void EngineClient::Chains::handle(Call call, const EngineTransport::Reply& reply) {
    switch (reply.kind) {
    case EngineTransport::Reply::Kind::answered:
        return handleAnswer(std::move(call), reply.body);
    case EngineTransport::Reply::Kind::timedOut:
        return handleTimeout(std::move(call));
    case EngineTransport::Reply::Kind::failed:
        return handleFailure(std::move(call));
    }
}

void EngineClient::Chains::handleAnswer(Call call, const QByteArray& body) {
    const std::optional<QString> text = decodeUtf8(body);
    if (!text || !text->startsWith("{\"error\""))
        return call.done(text);
    if (call.attempt > lastHopefulAttempt)
        return call.done(std::nullopt);
    options.restartStuckServer();
    const int next = call.attempt + 5;
    retry(std::move(call), troubleDelay, next);
}

void EngineClient::Chains::handleTimeout(Call call) {
    options.restartStuckServer();
    if (call.attempt > lastHopefulAttempt)
        return call.done(std::nullopt);
    // A stalled engine rarely recovers by itself: one more try after the restart, then give up.
    const int next = call.attempt <= 10 ? 15 : call.attempt + 5;
    retry(std::move(call), troubleDelay, next);
}

void EngineClient::Chains::handleFailure(Call call) {
    if (call.attempt == restartAttempt)
        options.restartStuckServer();
    else if (call.attempt > lastRefusedAttempt)
        return call.done(std::nullopt);
    const int next = call.attempt + 1;
    retry(std::move(call), refusedDelay, next);
}

void EngineClient::Chains::retry(Call call, double afterSeconds, int attempt) {
    call.attempt = attempt;
    later(afterSeconds, std::move(call));
}
