#include "ui/Brand.h"

#include <QPainter>
#include <QPixmap>

namespace Brand {

QColor accent() {
    return QColor(0x4f, 0x7c, 0xff);
}

QColor recording() {
    return QColor(229, 55, 43);
}

QIcon trayIcon(bool recording) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor ink = recording ? Brand::recording() : QColor(0xf2, 0xf2, 0xf2);
        const qreal u = size / 16.0;
        p.setPen(Qt::NoPen);
        p.setBrush(recording ? ink : accent());
        p.drawRoundedRect(QRectF(0.5 * u, 0.5 * u, 15 * u, 15 * u), 4 * u, 4 * u);
        p.setBrush(recording ? QColor(Qt::white) : ink);
        p.drawRoundedRect(QRectF(6 * u, 2.5 * u, 4 * u, 7 * u), 2 * u, 2 * u);
        QPen stand(recording ? QColor(Qt::white) : ink, 1.2 * u);
        stand.setCapStyle(Qt::RoundCap);
        p.setPen(stand);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.5 * u, 4.5 * u, 7 * u, 7 * u), 200 * 16, 140 * 16);
        p.drawLine(QPointF(8 * u, 11.5 * u), QPointF(8 * u, 13.5 * u));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace Brand
