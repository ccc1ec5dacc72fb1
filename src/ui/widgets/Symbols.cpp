#include "ui/widgets/Symbols.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {
// Every drawing works on a 16-unit square with a 1.5-unit pen.
using Drawing = std::function<void(QPainter&)>;

void bars(QPainter& p, std::initializer_list<std::pair<double, double>> xHalf) {
    for (const auto& [x, half] : xHalf)
        p.drawLine(QPointF(x, 8 - half), QPointF(x, 8 + half));
}

void waveform(QPainter& p) {
    bars(p, {{2, 1.5}, {5, 4}, {8, 6}, {11, 3.5}, {14, 1.5}});
}

void clockArrow(QPainter& p) {
    p.drawArc(QRectF(2, 2, 12, 12), 120 * 16, 300 * 16);
    p.drawLine(QPointF(8, 5), QPointF(8, 8));
    p.drawLine(QPointF(8, 8), QPointF(10.5, 9.5));
    p.drawLine(QPointF(3.2, 2.5), QPointF(3.6, 5.2));
    p.drawLine(QPointF(3.6, 5.2), QPointF(6.2, 4.6));
}

void people(QPainter& p) {
    p.drawEllipse(QRectF(3, 2.5, 4, 4));
    p.drawArc(QRectF(1, 8, 8, 8), 0, 180 * 16);
    p.drawEllipse(QRectF(9, 3.5, 3, 3));
    p.drawArc(QRectF(8.5, 8.5, 6, 6), 0, 180 * 16);
}

void book(QPainter& p) {
    p.drawRoundedRect(QRectF(3, 2, 10, 12), 1.5, 1.5);
    p.drawLine(QPointF(5.5, 2), QPointF(5.5, 14));
    p.drawLine(QPointF(8, 6), QPointF(11, 6));
}

void gear(QPainter& p) {
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(i * 45);
        p.drawLine(QPointF(0, -4.5), QPointF(0, -6.5));
        p.restore();
    }
    p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
}

void wordSpacing(QPainter& p) {
    p.drawLine(QPointF(2, 4), QPointF(14, 4));
    p.drawLine(QPointF(2, 8), QPointF(6, 8));
    p.drawLine(QPointF(10, 8), QPointF(14, 8));
    p.drawLine(QPointF(2, 12), QPointF(11, 12));
}

void bubble(QPainter& p) {
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 2.5, 12, 9), 3, 3);
    p.drawPath(path);
    p.drawLine(QPointF(5, 11.5), QPointF(4, 14.5));
    p.drawLine(QPointF(4, 14.5), QPointF(8, 11.5));
    p.drawLine(QPointF(5, 6), QPointF(11, 6));
    p.drawLine(QPointF(5, 8.5), QPointF(9, 8.5));
}

void bolt(QPainter& p) {
    const QPointF points[] = {{9.5, 1.5}, {3.5, 9}, {7.5, 9}, {6.5, 14.5}, {12.5, 7}, {8.5, 7}};
    p.drawPolygon(points, 6);
}

void waveMic(QPainter& p) {
    bars(p, {{2, 1.5}, {4.5, 3.5}, {7, 2}});
    p.drawRoundedRect(QRectF(10, 2, 3.5, 7), 1.75, 1.75);
    p.drawArc(QRectF(8.5, 5, 6.5, 6.5), 200 * 16, 140 * 16);
    p.drawLine(QPointF(11.75, 11.5), QPointF(11.75, 14));
}

void copy(QPainter& p) {
    p.drawRoundedRect(QRectF(5.5, 5.5, 8, 9), 1.5, 1.5);
    p.drawLine(QPointF(3, 11), QPointF(3, 3));
    p.drawLine(QPointF(3, 3), QPointF(10, 3));
}

void checkmark(QPainter& p) {
    p.drawLine(QPointF(3, 8.5), QPointF(6.5, 12));
    p.drawLine(QPointF(6.5, 12), QPointF(13, 4));
}

void trash(QPainter& p) {
    p.drawLine(QPointF(2.5, 4), QPointF(13.5, 4));
    p.drawLine(QPointF(6, 4), QPointF(6.5, 2));
    p.drawLine(QPointF(6.5, 2), QPointF(9.5, 2));
    p.drawLine(QPointF(9.5, 2), QPointF(10, 4));
    p.drawRoundedRect(QRectF(4, 4, 8, 10), 1.5, 1.5);
    p.drawLine(QPointF(6.7, 7), QPointF(6.7, 11));
    p.drawLine(QPointF(9.3, 7), QPointF(9.3, 11));
}

void magnifier(QPainter& p) {
    p.drawEllipse(QRectF(2, 2, 8.5, 8.5));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void triangle(QPainter& p) {
    const QPointF points[] = {{8, 1.5}, {15, 14}, {1, 14}};
    p.drawPolygon(points, 3);
    p.drawLine(QPointF(8, 6), QPointF(8, 9.5));
    p.drawPoint(QPointF(8, 12));
}

void plus(QPainter& p) {
    p.drawLine(QPointF(8, 3), QPointF(8, 13));
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
}

void minus(QPainter& p) {
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
}

void chevron(QPainter& p, bool left) {
    const double tip = left ? 5.5 : 10.5, back = left ? 10.5 : 5.5;
    p.drawLine(QPointF(back, 3), QPointF(tip, 8));
    p.drawLine(QPointF(tip, 8), QPointF(back, 13));
}

void folder(QPainter& p) {
    QPainterPath path;
    path.moveTo(2, 13);
    path.lineTo(2, 3.5);
    path.lineTo(6, 3.5);
    path.lineTo(7.5, 5.5);
    path.lineTo(14, 5.5);
    path.lineTo(14, 13);
    path.closeSubpath();
    p.drawPath(path);
}

void redo(QPainter& p) {
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 290 * 16);
    p.drawLine(QPointF(8, 2.5), QPointF(10.5, 0.8));
    p.drawLine(QPointF(8, 2.5), QPointF(10.5, 4.5));
}

void recordDot(QPainter& p) {
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.setBrush(p.pen().color());
    p.drawEllipse(QRectF(5, 5, 6, 6));
}

void stop(QPainter& p) {
    p.setBrush(p.pen().color());
    p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1.5, 1.5);
}

void pencil(QPainter& p) {
    p.drawLine(QPointF(3, 13), QPointF(12, 4));
    p.drawLine(QPointF(3, 13), QPointF(3.5, 10.5));
    p.drawLine(QPointF(3, 13), QPointF(5.5, 12.5));
}

void expand(QPainter& p) {
    p.drawLine(QPointF(9, 3), QPointF(13, 3));
    p.drawLine(QPointF(13, 3), QPointF(13, 7));
    p.drawLine(QPointF(3, 9), QPointF(3, 13));
    p.drawLine(QPointF(3, 13), QPointF(7, 13));
}

void collapse(QPainter& p) {
    p.drawLine(QPointF(9, 3), QPointF(9, 7));
    p.drawLine(QPointF(9, 7), QPointF(13, 7));
    p.drawLine(QPointF(3, 9), QPointF(7, 9));
    p.drawLine(QPointF(7, 9), QPointF(7, 13));
}

void xmark(QPainter& p) {
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void text(QPainter& p) {
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    p.drawLine(QPointF(5, 6), QPointF(11, 6));
    p.drawLine(QPointF(5, 9), QPointF(10, 9));
}

const QHash<QString, Drawing>& drawings() {
    static const QHash<QString, Drawing> all = {
        {"waveform", waveform},
        {"clock.arrow.circlepath", clockArrow},
        {"person.2.wave.2", people},
        {"character.book.closed", book},
        {"gearshape", gear},
        {"text.word.spacing", wordSpacing},
        {"text.bubble", bubble},
        {"bolt", bolt},
        {"waveform.badge.mic", waveMic},
        {"doc.on.doc", copy},
        {"checkmark", checkmark},
        {"trash", trash},
        {"magnifyingglass", magnifier},
        {"exclamationmark.triangle", triangle},
        {"plus", plus},
        {"minus", minus},
        {"chevron.left", [](QPainter& p) { chevron(p, true); }},
        {"chevron.right", [](QPainter& p) { chevron(p, false); }},
        {"folder", folder},
        {"person.2", people},
        {"arrow.clockwise", redo},
        {"record.circle.fill", recordDot},
        {"stop.fill", stop},
        {"pencil", pencil},
        {"arrow.up.left.and.arrow.down.right", expand},
        {"arrow.down.right.and.arrow.up.left", collapse},
        {"xmark", xmark},
        {"doc.text", text},
    };
    return all;
}

QPixmap draw(const Drawing& drawing, const QColor& colour, int size, qreal ratio) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPen pen(colour, 1.5);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    drawing(p);
    return pixmap;
}
} // namespace

namespace Symbols {

QIcon icon(const QString& name, const QColor& colour, int size) {
    // Long lists show the same few icons on every row and draw them again on every change of
    // appearance; the pages use a few dozen kinds in all, so each is drawn once.
    static QHash<QString, QIcon> drawn;
    const QString key = name + '/' + QString::number(colour.rgba(), 16) + '/' +
                        QString::number(size);
    if (const auto cached = drawn.constFind(key); cached != drawn.constEnd())
        return *cached;
    const auto found = drawings().constFind(name);
    if (found == drawings().constEnd())
        return {};
    QIcon icon;
    for (qreal ratio : {1.0, 2.0})
        icon.addPixmap(draw(*found, colour, size, ratio));
    drawn.insert(key, icon);
    return icon;
}

} // namespace Symbols
