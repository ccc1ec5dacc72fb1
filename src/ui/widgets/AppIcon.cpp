#include "ui/widgets/AppIcon.h"

#include "ui/widgets/Brand.h"

#include <QPainter>
#include <QPainterPath>

namespace AppIcon {

QImage render(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100-unit grid with the margins desktop icon themes leave around a square icon.
    p.scale(size / 100.0, size / 100.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::green());
    p.drawRoundedRect(QRectF(6, 6, 88, 88), 20, 20);

    const QColor cream = Brand::cream();
    p.setBrush(cream);
    p.drawRoundedRect(QRectF(40, 20, 20, 36), 10, 10);
    QPen line(cream, 6);
    line.setCapStyle(Qt::RoundCap);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(30, 28, 40, 38), 200 * 16, 140 * 16);
    p.drawLine(QPointF(50, 66), QPointF(50, 76));
    // The level line the words come out of.
    for (const auto& [x, half] : {std::pair{16.0, 4.0}, {24.0, 9.0}, {76.0, 9.0}, {84.0, 4.0}})
        p.drawLine(QPointF(x, 46 - half), QPointF(x, 46 + half));
    return image;
}

} // namespace AppIcon
