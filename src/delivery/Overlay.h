#pragma once

#include "delivery/OverlayModel.h"

#include <QObject>
#include <qwindowdefs.h>

#include <atomic>
#include <functional>
#include <memory>

class EscapeWatch;
class OverlayPanel;
class OverlayView;
class ResultCard;
class Scheduler;
class Settings;

// The floating panel that tells the user what dictation is doing. `show` and `hide` may be
// called from any thread and take effect on the GUI thread in the order they were called; every
// `show` cancels the hides still pending. One per application.
class Overlay : public QObject {
    Q_OBJECT
  public:
    struct Services {
        Settings& settings;
        Scheduler& scheduler;
        EscapeWatch& escape;
        std::function<void(QString)> copyToClipboard;
        // Given to the panel (OverlayPanel::EveryWorkspace).
        std::function<void(WId)> everyWorkspace = {};
    };
    explicit Overlay(Services services);
    ~Overlay() override;

    void show(const OverlayModel::Phase& phase);
    void hide(double afterSeconds);
    // The menu's "reset position": forget the position and show where the overlay now appears.
    void resetOverlay();

    OverlayModel model;
    int generation = 0;
    // How long a result card stays up at most.
    static constexpr double resultLimit = 45.0;

    OverlayPanel* panel() const { return panel_; }
    ResultCard* card() const { return card_; }
    bool isShowing() const;

  signals:
    // From the result card: the user wants to allow pasting in the desktop's settings.
    void settingsRequested();

  private:
    void onGuiThread(std::function<void()> work);
    void showNow(const OverlayModel::Phase& phase);
    void hideNow();
    void place();
    void savePosition();

    Services services;
    std::unique_ptr<EscapeWatch> ownEscape;
    ResultCard* card_;
    OverlayView* view;
    OverlayPanel* panel_;
    std::atomic<int> queued{0};
};
