#pragma once

#include <QFrame>

class Keycap;
class QLabel;
class Settings;

// What the Home and History pages show before the first dictation.
class EmptyHistoryPanel : public QFrame {
    Q_OBJECT
  public:
    explicit EmptyHistoryPanel(Settings& settings, QWidget* parent = nullptr);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void drawIcon();

    Settings& settings;
    QLabel* icon;
    Keycap* key;
};
