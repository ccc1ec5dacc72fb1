#pragma once

#include <QTimer>
#include <QWidget>

class CallPill;

// The strip shrunk to a small capsule: a pulsing dot while recording and one thin bar a side.
class CallMiniView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int width = 34;
    static constexpr int height = 66;

    explicit CallMiniView(CallPill& pill, QWidget* parent = nullptr);
    void refresh();
    QSize sizeHint() const override { return {width, height}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintBar(QPainter& p, qreal x, float level, const QColor& colour);

    CallPill& pill;
    QTimer pulse;
    int phase = 0;
};
