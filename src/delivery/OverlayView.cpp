#include "delivery/OverlayView.h"

#include "delivery/OverlayModel.h"
#include "delivery/OverlayPanel.h"
#include "delivery/ResultCard.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int pad = 20;
constexpr int iconGap = 8;
constexpr int iconSize = 16;
constexpr int barWidth = 3;
constexpr int barGap = 2;
constexpr int maxTextWidth = 300;

QFont pillFont() {
    QFont font;
    font.setPixelSize(13);
    font.setWeight(QFont::DemiBold);
    return font;
}

void paintWarning(QPainter& p, const QRectF& box) {
    QPainterPath triangle;
    triangle.moveTo(box.center().x(), box.top() + 1);
    triangle.lineTo(box.right(), box.bottom() - 1);
    triangle.lineTo(box.left(), box.bottom() - 1);
    triangle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 204, 0));
    p.drawPath(triangle);
    p.setBrush(Qt::black);
    const qreal x = box.center().x();
    p.drawRoundedRect(QRectF(x - 1, box.top() + 5.5, 2, 5.5), 1, 1);
    p.drawEllipse(QPointF(x, box.bottom() - 3.5), 1.1, 1.1);
}

void paintSparkle(QPainter& p, QPointF centre, qreal r) {
    QPainterPath star;
    star.moveTo(centre.x(), centre.y() - r);
    star.quadTo(centre, QPointF(centre.x() + r, centre.y()));
    star.quadTo(centre, QPointF(centre.x(), centre.y() + r));
    star.quadTo(centre, QPointF(centre.x() - r, centre.y()));
    star.quadTo(centre, QPointF(centre.x(), centre.y() - r));
    p.drawPath(star);
}

void paintSparkles(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    paintSparkle(p, box.center() + QPointF(-1.5, 1.5), 6.5);
    paintSparkle(p, box.topRight() + QPointF(-3, 3.5), 3);
    paintSparkle(p, box.bottomLeft() + QPointF(3, -2.5), 2.2);
}

} // namespace

OverlayView::OverlayView(OverlayModel& model, ResultCard* card, QWidget* parent)
    : QWidget(parent), model(model), card(card) {
    card->setParent(this);
    connect(&model, &OverlayModel::changed, this, [this] {
        const bool result = this->model.phase().kind == OverlayModel::Kind::result;
        this->card->setVisible(result);
        updateGeometry();
        update();
    });
    connect(&model, &OverlayModel::levelsChanged, this, qOverload<>(&QWidget::update));
    card->setVisible(model.phase().kind == OverlayModel::Kind::result);
}

int OverlayView::pillContentWidth() const {
    // Fractional advances add up beyond the rounded width: a little slack keeps text unelided.
    constexpr int slack = 8;
    const QFontMetrics metrics(pillFont(), this);
    const auto& phase = model.phase();
    switch (phase.kind) {
    case OverlayModel::Kind::recording:
        return OverlayModel::levelCount * (barWidth + barGap) - barGap;
    case OverlayModel::Kind::transcribing:
        return metrics.horizontalAdvance(tr("Transcribing…")) + slack;
    case OverlayModel::Kind::polishing:
        return iconSize + iconGap + metrics.horizontalAdvance(tr("Polishing…")) + slack;
    case OverlayModel::Kind::message:
        return iconSize + iconGap + std::min(maxTextWidth, metrics.horizontalAdvance(phase.text));
    case OverlayModel::Kind::result:
        break;
    }
    return 0;
}

QSize OverlayView::sizeHint() const {
    if (model.phase().kind == OverlayModel::Kind::result)
        return card->sizeHint() + QSize(2 * shadow, 2 * shadow);
    return {pillContentWidth() + 2 * pad + 2 * shadow, pillHeight + 2 * shadow};
}

void OverlayView::resizeEvent(QResizeEvent*) {
    card->setGeometry(rect().adjusted(shadow, shadow, -shadow, -shadow));
}

void OverlayView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF inner = QRectF(rect()).adjusted(shadow, shadow, -shadow, -shadow);
    if (model.phase().kind == OverlayModel::Kind::result) {
        OverlayPanel::paintShadow(p, inner, ResultCard::radius, shadow);
        return;
    }
    const QRect pill(shadow, (height() - pillHeight) / 2, width() - 2 * shadow, pillHeight);
    OverlayPanel::paintShadow(p, pill, pillHeight / 2.0, shadow);
    paintPill(p, pill);
}

void OverlayView::paintPill(QPainter& p, const QRect& pill) const {
    const qreal radius = pill.height() / 2.0;
    p.setPen(QPen(QColor(255, 255, 255, 31), 1));
    p.setBrush(QColor(0, 0, 0, 217));
    p.drawRoundedRect(QRectF(pill).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const auto& phase = model.phase();
    const int left = pill.left() + pad;
    const int mid = pill.center().y() + 1;
    p.setFont(pillFont());
    if (phase.kind == OverlayModel::Kind::recording) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        int x = left;
        for (double level : model.levels()) {
            const qreal h = std::max(level * 26.0, 3.0);
            p.drawRoundedRect(QRectF(x, mid - h / 2, barWidth, h), barWidth / 2.0, barWidth / 2.0);
            x += barWidth + barGap;
        }
        return;
    }
    QRect text(left, pill.top(), pill.x() + pill.width() - pad - left, pill.height());
    const QRectF icon(left, mid - iconSize / 2.0, iconSize, iconSize);
    QString label;
    if (phase.kind == OverlayModel::Kind::transcribing) {
        label = tr("Transcribing…");
    } else if (phase.kind == OverlayModel::Kind::polishing) {
        paintSparkles(p, icon);
        text.setLeft(left + iconSize + iconGap);
        label = tr("Polishing…");
    } else {
        paintWarning(p, icon);
        text.setLeft(left + iconSize + iconGap);
        label = p.fontMetrics().elidedText(phase.text, Qt::ElideRight, maxTextWidth);
    }
    p.setPen(Qt::white);
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip, label);
}
