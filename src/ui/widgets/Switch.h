#pragma once

#include <QAbstractButton>

// An on/off switch drawn by Voxmere in its accent colour. Qt has no switch of its own, and a
// drawn one looks the same in the window and in the snapshot pictures.
class Switch : public QAbstractButton {
    Q_OBJECT
  public:
    explicit Switch(QWidget* parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
