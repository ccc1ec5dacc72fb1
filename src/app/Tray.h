#pragma once

#include "app/IconState.h"

#include <QColor>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class History;
class Settings;

// The tray item: an icon that shows what dictation is doing and whether a call is being
// recorded, and a menu that states the keys, opens the window, starts or stops a call recording,
// offers the recent dictations for copying and holds the maintenance actions. The menu is rebuilt, never edited in place; the old one is released once control
// is back in the event loop, since a rebuild may come from inside one of its own actions.
class Tray : public QObject {
    Q_OBJECT
  public:
    static constexpr int recentCount = 8;
    static constexpr int recentTitleLength = 60;

    // `callActive` says whether a call is being recorded.
    Tray(Settings& settings, History& history, std::function<bool()> callActive);
    ~Tray() override;

    // From any thread; applied on the GUI thread.
    void setIcon(IconState state);
    void buildMenu();

    QSystemTrayIcon& item() { return statusItem; }
    QMenu* menu() const { return menu_.data(); }
    IconState icon() const { return state; }

    // Drawn here: icon themes (and a bare X server) have no such symbols.
    static QIcon iconFor(IconState state, const QColor& ink, bool callActive = false);
    // One line of "Recent": no mnemonic ampersands, no tabs or line breaks, cut by grapheme.
    static QString recentTitle(const QString& text);

  signals:
    void windowRequested();
    // Start or stop recording a call.
    void meetingToggleRequested();
    // A recent dictation chosen, by its item's data.
    void recentChosen(const QVariant& data);
    void overlayResetRequested();
    void engineRestartRequested();
    void quitRequested();

  private:
    void fillRecent(QMenu& recent);
    bool callActive() const;
    void applyIcon();

    Settings& settings;
    History& history;
    std::function<bool()> callActive_;
    QSystemTrayIcon statusItem;
    QPointer<QMenu> menu_;
    IconState state = IconState::idle;
};
