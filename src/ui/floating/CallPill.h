#pragma once

#include "ui/floating/CallPillPlacement.h"
#include "ui/calls/CallServices.h"

#include <QObject>
#include <QUuid>
#include <qwindowdefs.h>

#include <functional>
#include <optional>

class CallPillHost;
class MeetingLevels;
class MeetingStore;
class OverlayPanel;
class Scheduler;
class Settings;
class UIState;

// The floating call strip: on screen while a call is recorded or finished, then for a few
// seconds as the "saved" card of the new call. It never takes the keyboard focus, stays on every
// workspace, and remembers where it was left and whether it was shrunk or enlarged. GUI thread.
class CallPill : public QObject {
    Q_OBJECT
  public:
    struct Services {
        Settings& settings;
        MeetingStore& store;
        MeetingLevels& levels;
        UIState& state;
        Scheduler& scheduler;
        std::function<CallActivity()> activity;
        std::function<CallPillPlacement::Screens()> screens = &OverlayPlacement::desktopScreens;
        // Given to the panel (OverlayPanel::EveryWorkspace).
        std::function<void(WId)> everyWorkspace = {};
    };
    static constexpr double savedSeconds = 8;

    explicit CallPill(Services services, QObject* parent = nullptr);
    ~CallPill() override;

    // Shows or hides the strip for what the recorder is doing now, and starts the saved card
    // when a call has just finished.
    void update();
    void setMini(bool mini);
    void setTall(bool tall);
    // From now on the strip stays off the screen, for whoever draws its views on their own.
    void keepOffScreen() { offScreen = true; }
    // Opens the main window on the call the strip is about.
    void openMeeting();
    void dismissSaved();
    // Snaps the small button to a side of its screen after the user dropped it.
    void droppedMini();

    bool mini() const;
    bool tall() const;
    std::optional<QUuid> savedID() const { return savedID_; }
    // The saved card's meeting while it is showing and still in the store.
    const Meeting* savedMeeting() const;
    CallActivity activity() const;
    const Services& services() const { return s; }

    // Null until the strip is first shown.
    OverlayPanel* panel() const { return panel_; }
    bool isShowing() const;

  signals:
    // Something the views show has changed.
    void changed();
    // The user asked from the strip to stop recording the call.
    void stopRequested();
    // The main window should come forward, on the tab and call the strip has chosen.
    void windowRequested();

  private:
    void resized();
    void startSavedCard(const QUuid& id);
    void clearSaved();
    void createPanel();
    void place(const std::optional<QPoint>& corner);
    void placeLater();
    void fit();
    void save();

    Services s;
    std::optional<QUuid> savedID_;
    // Counts saved cards, so the timer of a card that has been replaced does nothing.
    int savedGeneration = 0;
    bool wasBusy = false;
    bool offScreen = false;
    CallPillHost* host = nullptr;
    OverlayPanel* panel_ = nullptr;
};
