#include "ui/pages/HeroWave.h"

#include "ui/widgets/Brand.h"

#include <QPainter>

#include <cmath>

HeroWave::HeroWave(bool animated, QWidget* parent) : QWidget(parent), animated(animated) {
    setMinimumHeight(56);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    timer.setInterval(50);
    connect(&timer, &QTimer::timeout, this, [this] {
        phase += 0.18;
        update();
    });
}

QSize HeroWave::sizeHint() const {
    return {320, 56};
}

void HeroWave::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int count = std::max(8, width() / 9);
    const double step = double(width()) / count;
    QPen pen(Brand::accent(), 3.5);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const double middle = height() / 2.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / count;
        // Tall in the middle, quiet at the ends, like a voice.
        const double envelope = std::sin(t * M_PI);
        const double level = 0.25 + 0.75 * std::fabs(std::sin(t * 11 + phase) * std::cos(t * 5 - phase * 0.7));
        const double half = std::max(1.5, envelope * level * (middle - 4));
        const double x = step * (i + 0.5);
        p.drawLine(QPointF(x, middle - half), QPointF(x, middle + half));
    }
}

void HeroWave::showEvent(QShowEvent* event) {
    if (animated)
        timer.start();
    QWidget::showEvent(event);
}

void HeroWave::hideEvent(QHideEvent* event) {
    timer.stop();
    QWidget::hideEvent(event);
}
