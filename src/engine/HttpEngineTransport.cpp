#include "engine/HttpEngineTransport.h"

#include "core/Dispatch.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <cmath>

HttpEngineTransport::HttpEngineTransport() : manager(new QNetworkAccessManager) {
    manager->setProxy(QNetworkProxy::NoProxy);
    manager->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, manager, &QObject::deleteLater);
    thread.setObjectName("voxmere.engine.http");
    thread.start();
}

HttpEngineTransport::~HttpEngineTransport() {
    thread.quit();
    thread.wait();
}

QNetworkRequest HttpEngineTransport::request(const QUrl& url, double timeoutSeconds) {
    QNetworkRequest request(url);
    request.setTransferTimeout(int(std::lround(timeoutSeconds * 1000.0)));
    // No connection is kept for the next request. On a kept one both ends have left TCP's
    // quick-acknowledgement start, so the upload's last write (Qt writes 16 kB at a time) waits
    // for the engine's delayed acknowledgement, and the engine's reply body, written after its
    // headers, waits for ours: about 40 ms each, on every dictation. A new loopback connection
    // costs a fraction of a millisecond.
    request.setAttribute(QNetworkRequest::ConnectionCacheExpiryTimeoutSecondsAttribute, 0);
    return request;
}

void HttpEngineTransport::onNetworkThread(std::function<void()> work) {
    QMetaObject::invokeMethod(manager, std::move(work), Qt::QueuedConnection);
}

void HttpEngineTransport::post(const QUrl& url, const QByteArray& contentType,
                               const QByteArray& body, double timeoutSeconds,
                               std::function<void(Reply)> done) {
    onNetworkThread([this, url, contentType, body, timeoutSeconds, done = std::move(done)] {
        QNetworkRequest r = request(url, timeoutSeconds);
        r.setRawHeader("Content-Type", contentType);
        QNetworkReply* reply = manager->post(r, body);
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done] {
            Reply result = classify(reply);
            reply->deleteLater();
            onGlobal([done, result] { done(result); });
        });
    });
}

void HttpEngineTransport::probe(const QUrl& url, double timeoutSeconds,
                                std::function<void(bool)> done) {
    onNetworkThread([this, url, timeoutSeconds, done = std::move(done)] {
        QNetworkReply* reply = manager->get(request(url, timeoutSeconds));
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done] {
            const bool answered = classify(reply).kind == Reply::Kind::answered;
            reply->deleteLater();
            onGlobal([done, answered] { done(answered); });
        });
    });
}

EngineTransport::Reply HttpEngineTransport::classify(QNetworkReply* reply) {
    const auto error = reply->error();
    // Qt reports an HTTP error status as a reply error too, but that is still the engine's answer;
    // only failures below HTTP (codes under 200) mean there was no answer.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (error == QNetworkReply::NoError || (status.isValid() && error >= 200))
        return {Reply::Kind::answered, reply->readAll(), status.toInt()};
    // Nothing here aborts a request, so a cancelled one is the transfer timeout firing.
    if (error == QNetworkReply::TimeoutError || error == QNetworkReply::OperationCanceledError)
        return {Reply::Kind::timedOut, {}};
    return {Reply::Kind::failed, {}};
}
