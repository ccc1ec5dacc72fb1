#include "ui/floating/CallMiniView.h"

#include "calls/MeetingLevels.h"
#include "delivery/OverlayPanel.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallPill.h"
#include "ui/floating/LevelBar.h"

#include <QPainter>

#include <cmath>

namespace {
constexpr int pulseMilliseconds = 80;
constexpr int pulseSteps = 20;
constexpr qreal barWidth = 4;
constexpr qreal barMost = 22;
constexpr qreal barLeast = 4;
} // namespace

CallMiniView::CallMiniView(CallPill& pill, QWidget* parent) : QWidget(parent), pill(pill) {
    setFixedSize(width, height);
    pulse.setInterval(pulseMilliseconds);
    connect(&pulse, &QTimer::timeout, this, [this] {
        phase = (phase + 1) % pulseSteps;
        update();
    });
    const MeetingLevels& levels = pill.services().levels;
    connect(&levels, &MeetingLevels::youChanged, this, qOverload<>(&QWidget::update));
    connect(&levels, &MeetingLevels::themChanged, this, qOverload<>(&QWidget::update));
    connect(&pill, &CallPill::changed, this, &CallMiniView::refresh);
    refresh();
}

void CallMiniView::refresh() {
    const bool recording = pill.activity().isRecording;
    setToolTip(recording ? tr("Recording. Click to open, drag to move.")
                         : tr("Finishing transcript…"));
    if (recording && !pulse.isActive())
        pulse.start();
    else if (!recording)
        pulse.stop();
    update();
}

void CallMiniView::paintBar(QPainter& p, qreal x, float level, const QColor& colour) {
    const qreal bottom = height - 12;
    p.setBrush(QColor(255, 255, 255, 38));
    p.drawRoundedRect(QRectF(x, bottom - barMost, barWidth, barMost), 2, 2);
    const qreal f = LevelBar::fraction(level);
    if (f <= 0)
        return;
    const qreal h = std::max(barLeast, barMost * f);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(x, bottom - h, barWidth, h), 2, 2);
}

void CallMiniView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    OverlayPanel::paintDarkCard(p, rect(), width / 2.0);
    p.setPen(Qt::NoPen);
    if (pill.activity().isRecording) {
        const qreal glow = 0.55 + 0.45 * std::cos(2 * M_PI * phase / pulseSteps);
        QColor dot = Brand::recording();
        dot.setAlphaF(glow);
        p.setBrush(dot);
        p.drawEllipse(QPointF(width / 2.0, 13), 4, 4);
    }
    const MeetingLevels& levels = pill.services().levels;
    paintBar(p, width / 2.0 - barWidth - 2, levels.you(), Brand::youOnDark());
    paintBar(p, width / 2.0 + 2, pill.activity().systemAudioOK ? levels.them() : 0,
             Brand::themOnDark());
}
