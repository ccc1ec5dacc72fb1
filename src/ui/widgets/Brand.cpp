#include "ui/widgets/Brand.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QTransform>

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
