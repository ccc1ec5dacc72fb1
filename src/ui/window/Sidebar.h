#pragma once

#include "uistate/Tab.h"

#include <QHash>
#include <QWidget>

class EngineStatus;
class History;
class QLabel;
class QPushButton;
class UIState;

// The window's left column: the brand, one row per page and the status line at the foot.
class Sidebar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int width = 210;

    Sidebar(UIState& state, History& history, EngineStatus* status, QWidget* parent = nullptr);
    QPushButton* button(Tab tab) const { return buttons.value(tab); }
    QString historyCount() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QPushButton* tabButton(Tab tab);
    void select();
    void drawIcons();

    UIState& state;
    History& history;
    QHash<Tab, QPushButton*> buttons;
    QLabel* count = nullptr;
};
