#include "ui/widgets/Switch.h"

#include "ui/widgets/Brand.h"

#include <QPainter>

Switch::Switch(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize Switch::sizeHint() const {
    return {38, 22};
}

void Switch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    QColor off = palette().color(QPalette::WindowText);
    off.setAlphaF(0.2);
    QColor fill = isChecked() ? Brand::accent() : off;
    if (!isEnabled())
        fill.setAlphaF(fill.alphaF() * 0.4);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const qreal d = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - d : track.left() + 2;
    p.setBrush(isEnabled() ? QColor(Qt::white) : QColor(240, 240, 240));
    p.drawEllipse(QRectF(x, track.top() + 2, d, d));
}
