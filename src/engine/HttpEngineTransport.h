#pragma once

#include "engine/EngineTransport.h"

#include <QThread>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// Loopback HTTP on a thread of its own, so neither a busy GUI thread nor a pool full of waiting
// retries can hold up the engine's replies. Requests still open when it is destroyed are dropped.
class HttpEngineTransport : public EngineTransport {
  public:
    HttpEngineTransport();
    ~HttpEngineTransport() override;

    void post(const QUrl& url, const QByteArray& contentType, const QByteArray& body,
              double timeoutSeconds, std::function<void(Reply)> done) override;
    void probe(const QUrl& url, double timeoutSeconds, std::function<void(bool)> done) override;

  private:
    static QNetworkRequest request(const QUrl& url, double timeoutSeconds);
    static Reply classify(QNetworkReply* reply);
    void onNetworkThread(std::function<void()> work);

    QThread thread;
    QNetworkAccessManager* manager;
};
