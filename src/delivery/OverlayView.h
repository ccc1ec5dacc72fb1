#pragma once

#include <QWidget>

class OverlayModel;
class ResultCard;

// The overlay's content: a pill (waveform, "Transcribing…", "Polishing…" or a message) painted
// here, or the result card. Its size hint is the panel's size, shadow margin included.
class OverlayView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int shadow = 10;
    static constexpr int pillHeight = 44;

    OverlayView(OverlayModel& model, ResultCard* card, QWidget* parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int pillContentWidth() const;
    void paintPill(class QPainter& p, const QRect& pill) const;

    OverlayModel& model;
    ResultCard* card;
};
