#include "ui/Brand.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {
QColor pick(QColor light, QColor dark) {
    return Brand::dark() ? dark : light;
}

QColor white(double opacity) {
    QColor c(Qt::white);
    c.setAlphaF(opacity);
    return c;
}
} // namespace

namespace Brand {

bool dark() {
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

QColor accent() {
    return accentFor(dark());
}
QColor accentFor(bool darkAppearance) {
    return darkAppearance ? QColor(111, 176, 156) : QColor(46, 107, 92);
}
QColor green() {
    return {46, 107, 92};
}
QColor cream() {
    return {244, 241, 234};
}
QColor ink() {
    return {30, 30, 30};
}
QColor recording() {
    return {229, 55, 43};
}
QColor you() {
    return pick({47, 93, 168}, {143, 176, 240});
}
QColor them() {
    return pick({178, 64, 30}, {240, 162, 122});
}
QColor youOnDark() {
    return {143, 176, 240};
}
QColor themOnDark() {
    return {240, 162, 122};
}
QColor sidebar() {
    return pick({239, 235, 226}, {27, 26, 24});
}
QColor canvas() {
    return pick({250, 248, 243}, {35, 34, 32});
}
QColor card() {
    return dark() ? white(0.055) : QColor(Qt::white);
}
QColor cardEdge() {
    return dark() ? white(0.07) : QColor(232, 226, 214);
}
QColor orange() {
    return pick({255, 149, 0}, {255, 159, 10});
}
QColor secondaryText() {
    QColor c = QGuiApplication::palette().color(QPalette::WindowText);
    c.setAlphaF(0.6);
    return c;
}

QString css(const QColor& c) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(c.alphaF(), 0, 'f', 3);
}

QFont mono() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(11);
    return f;
}

QFont serif(int pixelSize) {
    QFont f(QStringLiteral("serif"));
    f.setStyleHint(QFont::Serif);
    f.setWeight(QFont::DemiBold);
    f.setPixelSize(pixelSize);
    return f;
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
        p.setBrush(recording ? ink : green());
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
