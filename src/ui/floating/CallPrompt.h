#pragma once

#include "ui/floating/CallPromptModel.h"

#include <QObject>
#include <qwindowdefs.h>

#include <functional>

class CallPromptView;
class OverlayPanel;
class Scheduler;
class Settings;

// The floating offer to record a call that has just started, in the top-right corner of the
// screen under the pointer. It leaves on its own after a while, on "Not now", or once "Record"
// has been chosen. Every `show` supersedes the prompt before it, timers included. GUI thread.
class CallPrompt : public QObject {
    Q_OBJECT
  public:
    struct Services {
        Settings& settings;
        Scheduler& scheduler;
        // Given to the panel (OverlayPanel::EveryWorkspace).
        std::function<void(WId)> everyWorkspace = {};
    };
    static constexpr double offerSeconds = 25;
    static constexpr double confirmationSeconds = 3;
    static constexpr int margin = 12;

    explicit CallPrompt(Services services, QObject* parent = nullptr);
    ~CallPrompt() override;

    // Offers to record the call `app`; `onRecord` starts the recording.
    void show(const QString& app, std::function<void()> onRecord);

    CallPromptModel model;
    // Counts `show` calls, so the timers of a prompt that has been replaced do nothing.
    int generation = 0;

    // Both null until the first `show`.
    OverlayPanel* panel() const { return panel_; }
    CallPromptView* view() const { return view_; }
    bool isShowing() const;

  private:
    void createPanel();
    void place();
    void hide(double delay, int shown);
    void recordChosen();

    Services services;
    // The showing offer's way to start its recording.
    std::function<void()> startRecording;
    CallPromptView* view_ = nullptr;
    OverlayPanel* panel_ = nullptr;
};
