#pragma once

#include <QWidget>

class CallPromptModel;
class QLabel;
class QPushButton;

// The prompt's content: the application's icon, two lines about the call and, while offering,
// "Record" and "Not now". Its size hint is the panel's size, shadow margin included.
class CallPromptView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int contentWidth = 330;
    static constexpr int shadow = 8;

    explicit CallPromptView(CallPromptModel& model, QWidget* parent = nullptr);
    QSize sizeHint() const override;

    QString title() const;
    QString detail() const;
    QPushButton* recordButton() const { return record; }
    QPushButton* notNowButton() const { return notNow; }

  signals:
    void recordChosen();
    void dismissed();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void follow();

    CallPromptModel& model;
    QLabel* titleLabel;
    QLabel* detailLabel;
    QPushButton* record;
    QPushButton* notNow;
};
