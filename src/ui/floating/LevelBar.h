#pragma once

#include <QColor>
#include <QWidget>

// One side's live level as a short horizontal bar on the dark call strip.
class LevelBar : public QWidget {
    Q_OBJECT
  public:
    explicit LevelBar(const QColor& colour, QWidget* parent = nullptr);
    // How much of a bar a frame level fills, 0 to 1: silence (0.0005 and below) leaves it empty,
    // and the scale is logarithmic, as loudness is heard.
    static double fraction(float level);
    void setLevel(float level);
    float level() const { return level_; }
    QSize sizeHint() const override { return {40, 4}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour;
    float level_ = 0;
};
