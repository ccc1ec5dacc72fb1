#include "ui/Brand.h"

#include <QTransform>

namespace Brand {

QColor accent() {
    return QColor(0x4f, 0x7c, 0xff);
}

QColor recording() {
    return QColor(229, 55, 43);
}

QPainterPath mark(const QRectF& bounds) {
    // Drawn on a 16-unit square, then scaled.
    QPainterPath path;
    path.addRoundedRect(QRectF(5.5, 1, 5, 9), 2.5, 2.5);
    path.arcMoveTo(QRectF(3, 3.5, 10, 9), 180);
    path.arcTo(QRectF(3, 3.5, 10, 9), 180, 180);
    path.moveTo(8, 12.5);
    path.lineTo(8, 15);
    path.moveTo(5.5, 15);
    path.lineTo(10.5, 15);
    const double scale = std::min(bounds.width(), bounds.height()) / 16.0;
    QTransform fit;
    fit.translate(bounds.center().x() - 8 * scale, bounds.center().y() - 8 * scale);
    fit.scale(scale, scale);
    return fit.map(path);
}

} // namespace Brand
