#include "system/ModelDownload.h"

#include "core/DebugLog.h"
#include "system/Net.h"
#include "uistate/UIState.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkProxyFactory>
#include <QNetworkReply>

#include <cmath>

namespace {
// The system's proxies for the download; this computer itself is always reached directly.
class SystemProxies : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString host = query.peerHostName();
        if (host == "127.0.0.1" || host == "localhost" || host == "::1")
            return {QNetworkProxy::NoProxy};
        return systemProxyForQuery(query);
    }
};

constexpr double progressStep = 0.005;
} // namespace

QUrl ModelDownload::defaultSource() {
    return QUrl("https://huggingface.co/ggerganov/whisper.cpp/resolve/main/"
                "ggml-large-v3-turbo-q5_0.bin");
}

QUrl ModelDownload::sourceFromEnvironment() {
    const QString mirror = qEnvironmentVariable("VOXMERE_MODEL_URL");
    return mirror.isEmpty() ? defaultSource() : QUrl(mirror);
}

ModelDownload::ModelDownload(Options o, UIState& uiState, Settings& settings)
    : options(std::move(o)), state(uiState), settings(settings) {
    network.setProxyFactory(new SystemProxies);
}

ModelDownload::~ModelDownload() {
    if (reply)
        reply->abort();
}

void ModelDownload::start() {
    if (reply)
        return;
    state.setModelProgress(0.0);
    state.setModelFailed(false);
    bytesSent = 0;
    debugLog("model download start");
    if (options.destination.isEmpty()) {
        fail("no model path to download to (VOXMERE_MODEL is empty)");
        return;
    }
    QDir().mkpath(QFileInfo(options.destination).absolutePath());
    // Beside the destination, so putting it in place is a rename on the same disk.
    partial.setFileName(options.destination + ".download");
    if (!partial.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(partial.errorString());
        return;
    }
    reply = network.get(QNetworkRequest(options.source));
    connect(reply, &QNetworkReply::readyRead, this, &ModelDownload::onData);
    connect(reply, &QNetworkReply::downloadProgress, this, &ModelDownload::onProgress);
    connect(reply, &QNetworkReply::uploadProgress, this,
            [this](qint64 sent, qint64) { bytesSent = sent; });
    connect(reply, &QNetworkReply::finished, this, &ModelDownload::onFinished);
}

void ModelDownload::onProgress(qint64 received, qint64 expected) {
    // Without an announced length the transfer still reports its total once it is over, which
    // is no progress anyone could have watched.
    if (expected <= 0 || !reply->header(QNetworkRequest::ContentLengthHeader).isValid())
        return;
    const double fraction = double(received) / double(expected);
    if (std::abs(state.modelProgress().value_or(0.0) - fraction) > progressStep)
        state.setModelProgress(fraction);
}

// Streamed to disk as it arrives: the model is far too large to hold in memory.
void ModelDownload::onData() {
    const QByteArray chunk = reply->readAll();
    if (partial.write(chunk) != chunk.size())
        reply->abort();
}

void ModelDownload::onFinished() {
    onData();
    partial.close();
    Net::count(settings, options.source, bytesSent);
    if (const auto reason = problem())
        fail(*reason);
    else
        succeed();
}

std::optional<QString> ModelDownload::problem() const {
    if (partial.error() != QFileDevice::NoError)
        return partial.errorString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // No answer at all, or one cut off part way: the transfer's own error says why.
    if (status == 0 || (status == 200 && reply->error() != QNetworkReply::NoError))
        return reply->errorString();
    const qint64 size = QFileInfo(partial.fileName()).size();
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool whole = !announced.isValid() || announced.toLongLong() == size;
    if (status != 200 || size < options.minimumBytes || !whole)
        return QString("status=%1 size=%2").arg(status).arg(size);
    return std::nullopt;
}

void ModelDownload::succeed() {
    // An earlier model is replaced only by a complete, correctly sized one.
    QFile::remove(options.destination);
    if (!partial.rename(options.destination)) {
        fail("move: " + partial.errorString());
        return;
    }
    debugLog("model download done");
    finish();
    state.setModelProgress(std::nullopt);
    emit modelReady();
}

void ModelDownload::fail(const QString& reason) {
    debugLog("model download failed: " + reason);
    QFile::remove(partial.fileName());
    finish();
    state.setModelProgress(std::nullopt);
    state.setModelFailed(true);
}

void ModelDownload::finish() {
    if (reply)
        reply->deleteLater();
    reply = nullptr;
}
