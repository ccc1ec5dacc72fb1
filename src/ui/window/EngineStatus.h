#pragma once

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class Settings;
class UIState;

// The status line at the foot of the sidebar: the model download, its failure, or the engine's
// state with the bytes ever sent out.
class EngineStatus : public QWidget {
    Q_OBJECT
  public:
    // `settings` holds the upload count.
    EngineStatus(UIState& state, const Settings& settings, QWidget* parent = nullptr);
    // "Downloading speech model… 45%" for 0.456: the whole percentage, never rounded up.
    static QString progressText(double fraction);

    void refresh();

  signals:
    // "Try again" after a failed download: the engine should start again, and with it the
    // download.
    void retryRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QWidget* downloadView();
    QWidget* failedView();
    QWidget* engineView();

    UIState& state;
    const Settings& settings;
    void showOnly(QWidget* view);

    QLabel* progressLabel = nullptr;
    QProgressBar* bar = nullptr;
    QLabel* failedLabel = nullptr;
    QLabel* dot = nullptr;
    QLabel* engineLabel = nullptr;
    QLabel* uploadedLabel = nullptr;
    // Last: making them fills in the labels above.
    QWidget* download;
    QWidget* failed;
    QWidget* engine;
};
