#pragma once

#include <QWidget>

class CallMiniView;
class CallPill;
class CallSavedCard;
class CallStrip;

// The panel's content: the saved card after a call, else the small button when shrunk, else the
// strip; with the shadow margin around whichever shows. Its size hint is the panel's size.
class CallPillView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int shadow = 8;

    explicit CallPillView(CallPill& pill, QWidget* parent = nullptr);
    void refresh();
    QSize sizeHint() const override;

    // The one of the three that shows now.
    QWidget* current() const;
    CallStrip* strip() const { return strip_; }
    CallMiniView* miniView() const { return mini; }
    CallSavedCard* card() const { return card_; }

  signals:
    // What shows wants another size.
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    CallPill& pill;
    CallSavedCard* card_;
    CallMiniView* mini;
    CallStrip* strip_;
};
