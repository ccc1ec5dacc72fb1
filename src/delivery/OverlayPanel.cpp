#include "delivery/OverlayPanel.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

OverlayPanel::OverlayPanel(QWidget* content, EveryWorkspace everyWorkspace)
    : everyWorkspace(std::move(everyWorkspace)) {
    // One call: a second setWindowFlags would replace these.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void OverlayPanel::showWithoutActivating() {
    // A window manager puts a new window on the workspace that is current when it first maps;
    // a panel belongs to whichever one the user is on when it shows.
    if (everyWorkspace && QGuiApplication::platformName() == QLatin1String("xcb"))
        everyWorkspace(winId());
    show();
    raise();
}

void OverlayPanel::paintShadow(QPainter& p, const QRectF& shape, qreal radius, int depth) {
    p.setPen(Qt::NoPen);
    for (int i = depth; i > 0; i -= 2) {
        p.setBrush(QColor(0, 0, 0, 7));
        p.drawRoundedRect(shape.adjusted(-i, -i + 3, i, i + 3), radius + i, radius + i);
    }
}

void OverlayPanel::paintDarkCard(QPainter& p, const QRectF& bounds, qreal radius) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 31), 1));
    p.setBrush(QColor(18, 18, 20, 235));
    p.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void OverlayPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    moved = false;
    grabOffset = event->globalPosition().toPoint() - pos();
}

void OverlayPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging)
        return;
    move(event->globalPosition().toPoint() - grabOffset);
    moved = true;
}

void OverlayPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging)
        return;
    dragging = false;
    if (moved)
        emit dragged();
}
