#pragma once

#include <QWidget>

#include <functional>

class OverlayModel;
class QLabel;
class QPushButton;
class Scheduler;

// The text that wasn't pasted, why, and a way to copy it again.
class ResultCard : public QWidget {
    Q_OBJECT
  public:
    static constexpr int cardWidth = 440;
    static constexpr int radius = 14;

    ResultCard(OverlayModel& model, Scheduler& scheduler, std::function<void(QString)> copy,
               QWidget* parent = nullptr);
    QSize sizeHint() const override;

    QPushButton* copyButton() const { return copy; }
    QPushButton* allowButton() const { return allow; }
    QPushButton* closeButton() const { return close; }

  signals:
    void closeRequested();
    // The user wants to allow pasting in the desktop's settings.
    void settingsRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void refresh();
    void copyText();

    OverlayModel& model;
    Scheduler& scheduler;
    std::function<void(QString)> copyToClipboard;
    QLabel* status;
    QLabel* text;
    QPushButton* close;
    QPushButton* copy;
    QPushButton* allow;
};
