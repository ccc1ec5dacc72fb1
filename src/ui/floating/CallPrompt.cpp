#include "ui/floating/CallPrompt.h"

#include "core/Scheduler.h"
#include "delivery/OverlayPanel.h"
#include "delivery/OverlayPlacement.h"
#include "settings/Settings.h"
#include "ui/floating/CallPromptView.h"

#include <QCursor>
#include <QLayout>

CallPrompt::CallPrompt(Services s, QObject* parent) : QObject(parent), services(s) {}

CallPrompt::~CallPrompt() {
    delete panel_;
}

void CallPrompt::show(const QString& app, std::function<void()> onRecord) {
    const int shown = ++generation;
    startRecording = std::move(onRecord);
    model.setApp(app);
    model.setStarted(false);
    createPanel();
    place();
    panel_->showWithoutActivating();
    hide(offerSeconds, shown);
}

void CallPrompt::recordChosen() {
    startRecording();
    // With the call strip on, the strip takes over at once; without it the user still needs to
    // see that recording began.
    if (services.settings.showCallPill())
        return hide(0, generation);
    model.setStarted(true);
    place();
    hide(confirmationSeconds, generation);
}

bool CallPrompt::isShowing() const {
    return panel_ && panel_->isVisible();
}

void CallPrompt::createPanel() {
    if (panel_)
        return;
    view_ = new CallPromptView(model);
    connect(view_, &CallPromptView::recordChosen, this, &CallPrompt::recordChosen);
    connect(view_, &CallPromptView::dismissed, this, [this] { hide(0, generation); });
    panel_ = new OverlayPanel(view_, services.everyWorkspace);
    panel_->resize(CallPromptView::contentWidth + 2 * CallPromptView::shadow, 110);
}

void CallPrompt::place() {
    panel_->layout()->activate();
    const QSize size = view_->sizeHint();
    const QPoint topLeft = OverlayPlacement::topRightCorner(
        size, OverlayPlacement::desktopScreens(), QCursor::pos(), margin);
    panel_->setGeometry(QRect(topLeft, size));
}

// The offer's own timeout leaves a confirmation alone: that one goes after its own 3 s.
void CallPrompt::hide(double delay, int shown) {
    services.scheduler.after(this, delay, [this, delay, shown] {
        if (generation != shown)
            return;
        if (delay == offerSeconds && model.started())
            return;
        panel_->hide();
    });
}
