#pragma once

#include <QPushButton>

struct Meeting;

// One call in the list: its title over when it was and how long, or "Recording now".
class MeetingRow : public QPushButton {
    Q_OBJECT
  public:
    MeetingRow(const Meeting& m, bool live, QWidget* parent = nullptr);
    static QString summary(const Meeting& m);
};
