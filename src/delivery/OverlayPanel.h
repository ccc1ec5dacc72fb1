#pragma once

#include <QWidget>

class QPainter;

// The floating window: frameless, above other windows, never taking keyboard focus from the
// application being typed into. Dragging its background moves it; `dragged` reports where the
// user left it.
class OverlayPanel : public QWidget {
    Q_OBJECT
  public:
    explicit OverlayPanel(QWidget* content);

    void showWithoutActivating();
    // The soft shadow a panel's content draws under `shape` (the window has none of its own),
    // spreading `depth` pixels into the transparent margin around it.
    static void paintShadow(QPainter& p, const QRectF& shape, qreal radius, int depth);
    // The dark card with a faint light edge that the panels' content is drawn on, over any
    // desktop.
    static void paintDarkCard(QPainter& p, const QRectF& bounds, qreal radius);

  signals:
    void dragged();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPoint grabOffset;
    bool dragging = false;
    bool moved = false;
};
