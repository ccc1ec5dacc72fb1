#pragma once

#include "ui/calls/CallServices.h"

#include <QTimer>
#include <QWidget>

class MeetingDetail;
class MeetingRow;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

// The Calls page: every recorded call, newest first, or the open one. It keeps nothing of its
// own: what it shows follows the store, the recorder and the UI state. A change in the store
// redraws the one row, and the one line of the open call, it is about.
class CallsPage : public QWidget {
    Q_OBJECT
  public:
    explicit CallsPage(CallServices services, QWidget* parent = nullptr);
    MeetingDetail* detail() const { return call; }
    // The recorder or a tool changed what it is doing.
    void refresh();

  signals:
    // Handled before the signal returns: the page then opens the new call.
    void recordRequested();
    void stopRequested();
    // From the open call.
    void findSpeakersRequested(const QUuid& meeting, std::optional<int> count);
    void retranscribeRequested(const QUuid& meeting);
    void revealRequested(const QStringList& paths);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildList();
    void followStore();
    void fillList();
    void fillListIfSeen();
    void clearList();
    void showMore(int count);
    void makeRow(int index);
    void dropRow(int index);
    void keepRows(int wanted);
    void showRecordButton();
    void meetingAdded(const QUuid& id);
    void meetingRemoved(const QUuid& id);
    void showRow(const QUuid& id);
    MeetingRow* row(int index) const;
    bool isLive(const QUuid& id) const;
    bool showing(const QUuid& id) const;

    // The list is built when it is first seen, and again only when it turns from empty to full
    // or back; in between, a change to a call changes its row alone, so the window opens and
    // goes back from a call to a long list quickly.
    bool listStale = true;
    // The first `made` calls of the store have their row, in the store's order.
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
