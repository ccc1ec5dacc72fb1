#pragma once

#include "audio/MicDevice.h"
#include "uistate/Tab.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <vector>

class EngineStatus;
class History;
class HotKey;
class KeyWatcher;
class QStackedWidget;
class Scheduler;
class Settings;
class Sidebar;
class UIState;

// The main window: the sidebar and the page of the selected tab. Made once; closing it only
// hides it, and Voxmere goes on running with its keys.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    struct Services {
        Settings& settings;
        History& history;
        UIState& state;
        Scheduler& scheduler;
        HotKey& hotKey;
        KeyWatcher& keys;
        std::function<std::vector<MicDevice>()> inputDevices;
        std::function<bool()> polishAvailable;
        std::function<int()> voicesLearned;
        QString dataFolder;
        bool trayAvailable = true;
        // Off for the snapshot pictures, so the wave stands still.
        bool animated = true;
        // The Calls page, built by whoever holds the recorder and the meeting store.
        std::function<QWidget*()> makeCallsPage;
        // Keeps a window of ours out of the taskbar, or puts it back; empty where there is no
        // taskbar to ask.
        std::function<void(WId window, bool skip)> skipTaskbar = {};
    };
    static constexpr int smallestWidth = 880;
    static constexpr int smallestHeight = 600;

    explicit MainWindow(Services services, QWidget* parent = nullptr);

    QWidget* page(Tab tab) const { return pages.value(tab); }
    Sidebar* sidebar() const { return side; }
    // Keeps the window out of the taskbar while "Show in taskbar" is off.
    void applyTaskbar();
    void showAbout();

  signals:
    // The engine should start again, and with it the model download.
    void engineRetryRequested();
    // The desktop's settings should open, where pasting can be allowed.
    void desktopSettingsRequested();
    void quitRequested();
    void forgetVoicesRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void addPages();
    void addShortcuts();
    void restyle();
    void showTab();

    Services s;
    Sidebar* side;
    QStackedWidget* stack;
    QHash<Tab, QWidget*> pages;
    QString sheet;
};
