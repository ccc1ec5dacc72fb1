#pragma once

#include <QTimer>
#include <QWidget>

class CallLiveTranscript;
class CallPill;
class LevelBar;
class QLabel;
class QToolButton;
class QUuid;
struct Meeting;

// The strip itself: both sides' levels, the call's time, the buttons, the engine warning and
// either the newest line or, enlarged, the live transcript. Always dark, over any desktop.
class CallStrip : public QWidget {
    Q_OBJECT
  public:
    static constexpr int width = 340;
    static constexpr int tallWidth = 380;
    static constexpr qreal radius = 16;

    explicit CallStrip(CallPill& pill, QWidget* parent = nullptr);
    void refresh();
    void showLevels();
    QSize sizeHint() const override;

    QString status() const;
    QString latestName() const;
    QString latestText() const;
    QString warning() const;
    CallLiveTranscript* transcript() const { return live; }
    QToolButton* button(const QString& name) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* buildHeader();
    QWidget* buildWarning();
    QWidget* buildLatest();
    QToolButton* addButton(const QString& name, const QString& symbol, const QString& help);
    void followStore();
    const Meeting* shownCall(const QUuid& id) const;
    void showTime();
    void showNewest();
    void showLatest();
    void elideLatest();

    CallPill& pill;
    LevelBar* youBar;
    LevelBar* themBar;
    QLabel* time;
    QToolButton* shrink;
    QToolButton* enlarge;
    QToolButton* open;
    QToolButton* stop;
    QWidget* warningRow;
    QLabel* warningText;
    CallLiveTranscript* live;
    QWidget* latestRow;
    QLabel* latestWho;
    QLabel* latestWhat;
    QLabel* nothing;
    QString latestFull;
    QTimer ticking;
};
