#include "ui/floating/LevelBar.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

LevelBar::LevelBar(const QColor& colour, QWidget* parent) : QWidget(parent), colour(colour) {
    setFixedSize(sizeHint());
}

double LevelBar::fraction(float level) {
    if (level <= 0.0005f)
        return 0;
    return std::clamp((std::log10(double(level)) + 3.3) / 2.6, 0.0, 1.0);
}

void LevelBar::setLevel(float level) {
    if (level == level_)
        return;
    level_ = level;
    update();
}

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const qreal r = height() / 2.0;
    p.setBrush(QColor(255, 255, 255, 38));
    p.drawRoundedRect(rect(), r, r);
    const qreal filled = width() * fraction(level_);
    if (filled <= 0)
        return;
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0, 0, std::max(filled, 2 * r), height()), r, r);
}
