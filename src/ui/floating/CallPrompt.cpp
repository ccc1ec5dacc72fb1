#include "ui/floating/CallPrompt.h"

#include "core/Scheduler.h"
#include "delivery/OverlayPanel.h"
#include "delivery/OverlayPlacement.h"
#include "settings/Settings.h"
#include "ui/floating/CallPromptView.h"

#include <QCursor>
#include <QLayout>
#include <QPointer>

CallPrompt::CallPrompt(Services s, QObject* parent) : QObject(parent), services(s) {}

CallPrompt::~CallPrompt() {
    delete panel_;
}

void CallPrompt::show(const QString& app, std::function<void()> onRecord) {
    const int shown = ++generation;
    model.setApp(app);
    model.setStarted(false);
    model.onRecord = [this, shown, onRecord = std::move(onRecord)] {
        onRecord();
        // With the call strip on, the strip takes over at once; without it the user still
        // needs to see that recording began.
        if (services.settings.showCallPill())
            return hide(0, shown);
        model.setStarted(true);
        place();
        hide(confirmationSeconds, shown);
    };
    model.onDismiss = [this, shown] { hide(0, shown); };
    createPanel();
    place();
    panel_->showWithoutActivating();
    hide(offerSeconds, shown);
}

bool CallPrompt::isShowing() const {
    return panel_ && panel_->isVisible();
}

void CallPrompt::createPanel() {
    if (panel_)
        return;
    view_ = new CallPromptView(model);
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
    services.scheduler.after(delay, [self = QPointer<CallPrompt>(this), delay, shown] {
        if (!self || self->generation != shown)
            return;
        if (delay == offerSeconds && self->model.started())
            return;
        self->panel_->hide();
    });
}
