#pragma once

#include <QPoint>
#include <QWidget>

class CallPill;
class CallPillView;

// The strip's content in its panel. Shrunk to the small button it moves the panel itself: a
// press that moves less than 3 pixels is a click, which opens the strip again; a drag moves the
// button and reports where it was dropped. Otherwise presses on the background pass to the panel,
// which moves with them.
class CallPillHost : public QWidget {
    Q_OBJECT
  public:
    static constexpr int dragThreshold = 3;

    explicit CallPillHost(CallPill& pill, QWidget* parent = nullptr);
    CallPillView* view() const { return view_; }

  signals:
    void dropped();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    CallPill& pill;
    CallPillView* view_;
    bool tracking = false;
    bool moved = false;
    QPoint pressAt;
    QPoint originAt;
};
