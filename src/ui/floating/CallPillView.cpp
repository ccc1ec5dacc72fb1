#include "ui/floating/CallPillView.h"

#include "delivery/OverlayPanel.h"
#include "meetings/Meeting.h"
#include "ui/floating/CallMiniView.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/CallSavedCard.h"
#include "ui/floating/CallStrip.h"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

CallPillView::CallPillView(CallPill& pill, QWidget* parent)
    : QWidget(parent), pill(pill), card_(new CallSavedCard), mini(new CallMiniView(pill)),
      strip_(new CallStrip(pill)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(shadow, shadow, shadow, shadow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QWidget* w : {static_cast<QWidget*>(card_), static_cast<QWidget*>(mini),
                       static_cast<QWidget*>(strip_)})
        layout->addWidget(w);
    connect(card_, &CallSavedCard::openClicked, &pill, &CallPill::openMeeting);
    connect(card_, &CallSavedCard::closeClicked, &pill, &CallPill::dismissSaved);
    connect(&pill, &CallPill::changed, this, &CallPillView::refresh);
    refresh();
}

void CallPillView::refresh() {
    const CallActivity a = pill.activity();
    const Meeting* saved = a.recordingOrFinishing() ? nullptr : pill.savedMeeting();
    if (saved)
        card_->showMeeting(*saved);
    card_->setVisible(saved);
    mini->setVisible(!saved && pill.mini());
    strip_->setVisible(!saved && !pill.mini());
    layout()->invalidate();
    layout()->activate();
    updateGeometry();
    update();
}

QWidget* CallPillView::current() const {
    for (QWidget* w : {static_cast<QWidget*>(card_), static_cast<QWidget*>(mini),
                       static_cast<QWidget*>(strip_)})
        if (!w->isHidden())
            return w;
    return strip_;
}

QSize CallPillView::sizeHint() const {
    // A fixed width (the card's) wins over what the content alone would ask for.
    const QWidget* shown = current();
    const QSize own = shown->sizeHint().expandedTo(shown->minimumSize()).boundedTo(
        shown->maximumSize());
    return own + QSize(2 * shadow, 2 * shadow);
}

// A child grew or shrank (a new line, the warning): the panel follows.
bool CallPillView::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest)
        emit resized();
    return handled;
}

void CallPillView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QWidget* shown = current();
    const qreal radius = shown == mini ? CallMiniView::width / 2.0
                         : shown == card_ ? CallSavedCard::radius
                                          : CallStrip::radius;
    OverlayPanel::paintShadow(p, shown->geometry(), radius, shadow);
}
