#include "engine/EngineClient.h"

#include "core/Scheduler.h"
#include "core/Wav.h"
#include "engine/DictationGate.h"
#include "engine/MultipartBody.h"

#include <QStringDecoder>

#include <deque>
#include <mutex>

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

    void enqueue(Call call);

  private:
    std::optional<Call> next();
    bool backgroundMayGo();
    void endYield();
    void pump();
    void send(const Call& call);
    void later(double seconds, Call call);
    void handle(Call call, const EngineTransport::Reply& reply);
    void handleAnswer(Call call, const EngineTransport::Reply& reply);
    void handleTimeout(Call call);
    void handleFailure(Call call);
    void retry(Call call, double afterSeconds, int attempt);

    Options options;
    EngineTransport& transport;
    DictationGate& gate;
    Scheduler& retries;

    // The engine works through one request at a time and keeps going on any the client gave up
    // on, so requests wait here rather than in its queue: each timeout then covers only the
    // engine's own work on that request, and a backlog is never taken for a stuck engine.
    std::mutex lock;
    std::deque<Call> dictation, background;
    bool sending = false;
    bool yieldPending = false;
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
    chains->enqueue({wav, prompt, attempt, background, std::move(done)});
}

void EngineClient::Chains::later(double seconds, Call call) {
    retries.after(seconds, [weak = weak_from_this(), call = std::move(call)] {
        if (auto self = weak.lock())
            self->enqueue(call);
    });
}

void EngineClient::Chains::enqueue(Call call) {
    {
        std::lock_guard guard(lock);
        (call.background ? background : dictation).push_back(std::move(call));
    }
    pump();
}

// Dictation first, then background work.
std::optional<EngineClient::Chains::Call> EngineClient::Chains::next() {
    std::lock_guard guard(lock);
    if (sending)
        return std::nullopt;
    std::deque<Call>* from = !dictation.empty()  ? &dictation
                             : backgroundMayGo() ? &background
                                                 : nullptr;
    if (!from)
        return std::nullopt;
    sending = true;
    Call call = std::move(from->front());
    from->pop_front();
    return call;
}

// Background work steps aside in 0.25 s steps while any dictation is being transcribed: a
// dictation retry may be waiting with the engine idle. Called under the lock.
bool EngineClient::Chains::backgroundMayGo() {
    if (background.empty() || yieldPending)
        return false;
    if (gate.inFlight() == 0)
        return true;
    yieldPending = true;
    retries.after(backgroundYield, [weak = weak_from_this()] {
        if (auto self = weak.lock())
            self->endYield();
    });
    return false;
}

void EngineClient::Chains::endYield() {
    {
        std::lock_guard guard(lock);
        yieldPending = false;
    }
    pump();
}

void EngineClient::Chains::pump() {
    if (std::optional<Call> call = next())
        send(*call);
}

void EngineClient::Chains::send(const Call& call) {
    MultipartBody body(MultipartBody::newBoundary());
    body.addField("response_format", "text");
    body.addField("temperature", "0.0");
    body.addField("language", options.language());
    // Sent even when empty: the engine keeps a failed request's prompt for the next one.
    body.addField("prompt", call.prompt);
    body.addFile("file", "a.wav", "audio/wav", call.wav);
    const QUrl url(QString("http://127.0.0.1:%1/inference").arg(options.port));
    const QByteArray contentType = body.contentType();
    transport.post(url, contentType, body.finish(), timeoutFor(call.wav),
                   [weak = weak_from_this(), call](EngineTransport::Reply reply) {
                       auto self = weak.lock();
                       if (!self)
                           return;
                       {
                           std::lock_guard guard(self->lock);
                           self->sending = false;
                       }
                       self->handle(call, reply);
                       self->pump();
                   });
}

void EngineClient::Chains::handle(Call call, const EngineTransport::Reply& reply) {
    switch (reply.kind) {
    case EngineTransport::Reply::Kind::answered:
        return handleAnswer(std::move(call), reply);
    case EngineTransport::Reply::Kind::timedOut:
        return handleTimeout(std::move(call));
    case EngineTransport::Reply::Kind::failed:
        return handleFailure(std::move(call));
    }
}

// At 400 and above the engine is reporting its own trouble (a bare "500 Internal Server Error",
// "Invalid request"), never a transcript, whatever the body says.
void EngineClient::Chains::handleAnswer(Call call, const EngineTransport::Reply& reply) {
    const std::optional<QString> text = decodeUtf8(reply.body);
    const bool trouble = reply.status >= 400 || (text && text->startsWith("{\"error\""));
    if (!trouble)
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
