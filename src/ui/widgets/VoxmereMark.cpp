#include "ui/widgets/VoxmereMark.h"

#include "ui/widgets/AppIcon.h"

#include <QPainter>

VoxmereMark::VoxmereMark(int size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size, size);
}

void VoxmereMark::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    QImage image = AppIcon::render(int(width() * ratio));
    image.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(QPointF(0, 0), image);
}
