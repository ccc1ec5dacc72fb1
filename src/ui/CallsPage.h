#pragma once

#include "ui/CallServices.h"

#include <QTimer>
#include <QWidget>

class MeetingDetail;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

// The Calls page: every recorded call, newest first, or the open one. It keeps nothing of its
// own: what it shows follows the store, the recorder and the UI state.
class CallsPage : public QWidget {
    Q_OBJECT
  public:
    explicit CallsPage(CallServices services, QWidget* parent = nullptr);
    MeetingDetail* detail() const { return call; }
    // The recorder or a tool changed what it is doing.
    void refresh();

  private:
    QWidget* buildList();
    void fillList();
    void showRecordButton();
    void storeChanged();

    // The list is built again only when what it shows has changed, so going back from a call
    // to a long list is quick.
    bool listStale = true;
    // Moves the stop buttons' clocks on while a call is recorded.
    QTimer ticking;
    std::optional<QUuid> listedLive;

    CallServices s;
    QStackedWidget* stack;
    QWidget* list;
    QVBoxLayout* rows;
    QPushButton* record;
    MeetingDetail* call;
};
