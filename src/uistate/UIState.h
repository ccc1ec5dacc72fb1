#pragma once

#include "uistate/Tab.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>

// What the rest of the system tells the main window to show. Plain state, changed and read on the
// main thread only; every write that changes a field emits its signal.
class UIState : public QObject {
    Q_OBJECT
  public:
    Tab tab() const { return tab_; }
    QString search() const { return search_; }
    bool engineReady() const { return engineReady_; }
    // The last launch ended before the engine ever answered; cleared once it answers.
    bool engineFailed() const { return engineFailed_; }
    std::optional<double> modelProgress() const { return modelProgress_; }
    bool modelFailed() const { return modelFailed_; }
    bool axTrusted() const { return axTrusted_; }
    std::optional<QUuid> copiedID() const { return copiedID_; }
    std::optional<QUuid> meetingID() const { return meetingID_; }

    void setTab(Tab v);
    void setSearch(const QString& v);
    void setEngineReady(bool v);
    void setEngineFailed(bool v);
    void setModelProgress(std::optional<double> v);
    void setModelFailed(bool v);
    void setAxTrusted(bool v);
    void setCopiedID(std::optional<QUuid> v);
    void setMeetingID(std::optional<QUuid> v);

  signals:
    void tabChanged();
    void searchChanged();
    void engineReadyChanged();
    void engineFailedChanged();
    void modelProgressChanged();
    void modelFailedChanged();
    void axTrustedChanged();
    void copiedIDChanged();
    void meetingIDChanged();

  private:
    template <typename T> void assign(T& field, const T& value, void (UIState::*signal)());

    Tab tab_ = Tab::home;
    QString search_;
    bool engineReady_ = false;
    bool engineFailed_ = false;
    std::optional<double> modelProgress_;
    bool modelFailed_ = false;
    bool axTrusted_ = true;
    std::optional<QUuid> copiedID_;
    std::optional<QUuid> meetingID_;
};
