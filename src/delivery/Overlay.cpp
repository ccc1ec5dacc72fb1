#include "delivery/Overlay.h"

#include "core/Dispatch.h"
#include "core/Scheduler.h"
#include "delivery/OverlayPanel.h"
#include "delivery/OverlayPlacement.h"
#include "delivery/OverlayView.h"
#include "delivery/Paste.h"
#include "delivery/ResultCard.h"
#include "delivery/X11EscapeWatch.h"
#include "settings/Settings.h"

#include <QCursor>
#include <QLayout>
#include <QProcess>
#include <QStandardPaths>

Overlay::Overlay(Services s)
    : services(std::move(s)),
      card_(new ResultCard(model, services.scheduler, services.copyToClipboard)),
      view(new OverlayView(model, card_)), panel_(new OverlayPanel(view, services.everyWorkspace)) {
    connect(card_, &ResultCard::closeRequested, this, [this] { hide(0); });
    connect(card_, &ResultCard::settingsRequested, this, &Overlay::settingsRequested);
    connect(panel_, &OverlayPanel::dragged, this, &Overlay::savePosition);
}

Overlay::~Overlay() {
    services.escape.stop();
    delete panel_;
}

// Work from the GUI thread runs at once unless earlier calls from other threads are still on
// their way; then it queues behind them, so calls always take effect in the order they were made.
void Overlay::onGuiThread(std::function<void()> work) {
    if (isMainThread() && queued.load() == 0) {
        work();
        return;
    }
    ++queued;
    onMain(this, [this, work = std::move(work)] {
        --queued;
        work();
    });
}

void Overlay::show(const OverlayModel::Phase& phase) {
    onGuiThread([this, phase] { showNow(phase); });
}

void Overlay::hide(double afterSeconds) {
    onGuiThread([this, afterSeconds] {
        const int shown = generation;
        services.scheduler.after(this, afterSeconds, [this, shown] {
            if (generation == shown)
                hideNow();
        });
    });
}

void Overlay::showNow(const OverlayModel::Phase& phase) {
    ++generation;
    services.escape.stop();
    if (phase.kind == OverlayModel::Kind::recording)
        model.resetLevels();
    model.setCopied(false);
    model.setPhase(phase);
    const bool always =
        phase.kind == OverlayModel::Kind::message || phase.kind == OverlayModel::Kind::result;
    if (!services.settings.showOverlay() && !always)
        return;
    place();
    panel_->update();
    panel_->showWithoutActivating();
    if (phase.kind != OverlayModel::Kind::result)
        return;
    services.escape.start([this] { hideNow(); });
    const int shown = generation;
    services.scheduler.after(this, resultLimit, [this, shown] {
        if (generation == shown)
            hideNow();
    });
}

void Overlay::hideNow() {
    services.escape.stop();
    panel_->hide();
}

bool Overlay::isShowing() const {
    return panel_->isVisible();
}

void Overlay::place() {
    panel_->layout()->activate();
    const QSize size = view->sizeHint();
    std::optional<OverlayPlacement::Saved> saved;
    if (const auto position = services.settings.overlayPosition())
        saved = OverlayPlacement::Saved{position->x(), position->y()};
    const QPoint topLeft =
        OverlayPlacement::topLeft(size, saved, OverlayPlacement::desktopScreens(), QCursor::pos());
    panel_->setGeometry(QRect(topLeft, size));
}

void Overlay::savePosition() {
    const QRect frame = panel_->geometry();
    services.settings.setOverlayPosition(
        QPointF(frame.x() + frame.width() / 2.0, double(frame.y() + frame.height())));
}

void Overlay::resetOverlay() {
    services.settings.forgetOverlayPosition();
    show(OverlayModel::Phase::message(tr("Drag me anywhere")));
    hide(2);
}
