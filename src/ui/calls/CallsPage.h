#pragma once

#include "meetings/Meeting.h"
#include "ui/calls/CallServices.h"

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

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildList();
    void fillList();
    void clearList();
    void showMore(int count);
    void showRecordButton();
    void storeChanged();

    // The list is built when it is first seen and again only when what it shows has changed,
    // so the window opens and goes back from a call to a long list quickly.
    bool listStale = true;
    // The calls the rows stand for, as the store had them when the list was built; the first
    // `made` of them have their row.
    QList<Meeting> listed;
    int made = 0;
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
