#pragma once

#include <QWidget>

// The floating window: frameless, above other windows, never taking keyboard focus from the
// application being typed into. Dragging its background moves it; `dragged` reports where the
// user left it.
class OverlayPanel : public QWidget {
    Q_OBJECT
  public:
    explicit OverlayPanel(QWidget* content);

    void showWithoutActivating();

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
