#pragma once

#include <QWidget>

// The Calls page. Recorded calls are listed here once the call recorder exists; until then the
// page says there are none.
class CallsPage : public QWidget {
    Q_OBJECT
  public:
    explicit CallsPage(QWidget* parent = nullptr);
};
