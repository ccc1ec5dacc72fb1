#pragma once

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <optional>

class Settings;
class UIState;

// Fetches the speech model once, streaming it to a file beside its destination, checks that
// it arrived whole, and only then puts it in place of any earlier file. Progress and failure are
// published in the interface state; the bytes sent are counted by `Net`. Main thread.
class ModelDownload : public QObject {
    Q_OBJECT
  public:
    struct Options {
        QUrl source = defaultSource();
        QString destination;
        qint64 minimumBytes = 500'000'000;
    };
    static QUrl defaultSource();
    // The source, or "VOXMERE_MODEL_URL" when set (for mirrors and tests).
    static QUrl sourceFromEnvironment();

    ModelDownload(Options options, UIState& state, Settings& settings);
    ~ModelDownload() override;

    // Begins the download unless one is running.
    void start();
    bool running() const { return reply != nullptr; }

  signals:
    // The model is in place.
    void modelReady();

  private:
    void onProgress(qint64 received, qint64 expected);
    void onData();
    void onFinished();
    std::optional<QString> problem() const;
    void succeed();
    void fail(const QString& reason);
    void finish();

    Options options;
    UIState& state;
    Settings& settings;
    QNetworkAccessManager network;
    QPointer<QNetworkReply> reply;
    QFile partial;
    qint64 bytesSent = 0;
};
