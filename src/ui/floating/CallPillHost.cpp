#include "ui/floating/CallPillHost.h"

#include "ui/floating/CallPill.h"
#include "ui/floating/CallPillView.h"

#include <QMouseEvent>
#include <QVBoxLayout>

CallPillHost::CallPillHost(CallPill& pill, QWidget* parent)
    : QWidget(parent), pill(pill), view_(new CallPillView(pill)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void CallPillHost::mousePressEvent(QMouseEvent* event) {
    if (!pill.mini() || event->button() != Qt::LeftButton)
        return event->ignore();
    tracking = true;
    moved = false;
    pressAt = event->globalPosition().toPoint();
    originAt = window()->pos();
}

void CallPillHost::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking)
        return event->ignore();
    const QPoint delta = event->globalPosition().toPoint() - pressAt;
    if (!moved && std::hypot(delta.x(), delta.y()) < dragThreshold)
        return;
    moved = true;
    window()->move(originAt + delta);
}

void CallPillHost::mouseReleaseEvent(QMouseEvent* event) {
    if (!tracking || event->button() != Qt::LeftButton)
        return event->ignore();
    tracking = false;
    if (moved)
        emit dropped();
    else
        pill.setMini(false);
}
