#pragma once

#include <QPushButton>
#include <QUuid>

#include <optional>

class QLabel;
struct Meeting;

// One call in the list: its title over when it was and how long, or "Recording now".
class MeetingRow : public QPushButton {
    Q_OBJECT
  public:
    MeetingRow(const Meeting& m, bool live, QWidget* parent = nullptr);
    static QString summary(const Meeting& m);
    // Shows the call as it is now.
    void showMeeting(const Meeting& m, bool live);
    QUuid meetingID() const { return id; }

  private:
    QUuid id;
    std::optional<bool> shownLive;
    QLabel* icon;
    QLabel* title;
    QLabel* sub;
};
