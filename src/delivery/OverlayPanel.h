#pragma once

#include <QWidget>

#include <functional>

class QPainter;

// The floating window: frameless, above other windows, never taking keyboard focus from the
// application being typed into. Dragging its background moves it; `dragged` reports where the
// user left it.
class OverlayPanel : public QWidget {
    Q_OBJECT
  public:
    // Puts a window of ours on every workspace; empty where there are no workspaces to ask.
    using EveryWorkspace = std::function<void(WId window)>;

    OverlayPanel(QWidget* content, EveryWorkspace everyWorkspace);

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
    EveryWorkspace everyWorkspace;
    QPoint grabOffset;
    bool dragging = false;
    bool moved = false;
};
