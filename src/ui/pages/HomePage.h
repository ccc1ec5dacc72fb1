#pragma once

#include "settings/RecordMode.h"

#include <QWidget>

#include <functional>

class EmptyHistoryPanel;
class History;
class Keycap;
class QLabel;
class QPushButton;
class QVBoxLayout;
class RefreshWhenSeen;
class Scheduler;
class Settings;
class StatCard;
class UIState;

// The first page: whether Voxmere can paste, how to dictate, today's figures and the last few
// dictations.
class HomePage : public QWidget {
    Q_OBJECT
  public:
    struct Options {
        // Without a tray the window is the only way in, and the page says so.
        bool trayAvailable = true;
        bool animated = true;
    };
    HomePage(History& history, Settings& settings, UIState& state, Scheduler& scheduler,
             Options options, QWidget* parent = nullptr);

    // The hero's lines, by the dictation key's mode.
    static QString verb(RecordMode recordMode);
    static QString howTo(RecordMode recordMode);

    QString heroText() const;
    QPushButton* viewAllButton() const { return viewAll; }
    bool showsEmptyPanel() const;

  signals:
    // The desktop's settings should open, where pasting can be allowed.
    void desktopSettingsRequested();

  private:
    QWidget* banner();
    QWidget* hero();
    QWidget* stats();
    QWidget* recent();
    void refreshHero();
    void refreshHistory();

    History& history;
    Settings& settings;
    UIState& state;
    Scheduler& scheduler;
    Options options;
    // The history's figures and newest rows.
    RefreshWhenSeen* seen;
    QWidget* bannerCard = nullptr;
    QLabel* verbLabel = nullptr;
    Keycap* key = nullptr;
    QLabel* howToLabel = nullptr;
    QLabel* handsFreeLabel = nullptr;
    StatCard* words = nullptr;
    StatCard* snippets = nullptr;
    StatCard* saved = nullptr;
    QPushButton* viewAll = nullptr;
    QVBoxLayout* recentRows = nullptr;
    EmptyHistoryPanel* empty = nullptr;
};
