#pragma once

#include <QTimer>
#include <QWidget>

// The moving wave on the Home page's hero card. It only moves while it is on screen; a still
// wave is drawn when `animated` is false (the snapshot pictures).
class HeroWave : public QWidget {
    Q_OBJECT
  public:
    explicit HeroWave(bool animated, QWidget* parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    bool animated;
    double phase = 0;
    QTimer timer;
};
