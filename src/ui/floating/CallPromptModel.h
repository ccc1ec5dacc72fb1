#pragma once

#include <QObject>
#include <QString>

// What the call prompt shows: the offer for a call, or the confirmation that it is recorded.
// Views follow `changed`. GUI thread.
class CallPromptModel : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // The application or call the prompt is about, e.g. "Zoom" or "Google Meet".
    QString app() const { return app_; }
    void setApp(const QString& value);
    // The confirmation is showing rather than the offer.
    bool started() const { return started_; }
    void setStarted(bool value);

  signals:
    void changed();

  private:
    QString app_;
    bool started_ = false;
};
