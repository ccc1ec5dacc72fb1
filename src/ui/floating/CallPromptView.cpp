#include "ui/floating/CallPromptView.h"

#include "delivery/OverlayPanel.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/Brand.h"
#include "ui/floating/CallPromptModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int pad = 14;
constexpr int iconSize = 36;
constexpr qreal radius = 14;

QLabel* line(int pixelSize, QFont::Weight weight, const QColor& colour) {
    auto* label = new QLabel;
    QFont font;
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet("color: " + Brand::css(colour));
    return label;
}

QPushButton* button(const QString& text, const QColor& fill) {
    auto* b = new QPushButton(text);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QString("QPushButton { background: %1; color: white; border: none;"
                             " border-radius: 6px; padding: 4px 14px; font-size: 12px;"
                             " font-weight: 600; }"
                             " QPushButton:pressed { background: %2; }")
                         .arg(Brand::css(fill), Brand::css(fill.darker(130))));
    return b;
}

QLabel* icon() {
    auto* label = new QLabel;
    // Drawn at twice the size so it stays sharp on a scaled screen.
    QPixmap pixmap = QPixmap::fromImage(AppIcon::render(2 * iconSize));
    pixmap.setDevicePixelRatio(2);
    label->setPixmap(pixmap);
    label->setFixedSize(iconSize, iconSize);
    return label;
}

} // namespace

CallPromptView::CallPromptView(CallPromptModel& model, QWidget* parent)
    : QWidget(parent), model(model), titleLabel(line(13, QFont::DemiBold, Qt::white)),
      detailLabel(line(11, QFont::Normal, QColor(255, 255, 255, 153))),
      record(button(tr("Record"), Brand::accent())),
      notNow(button(tr("Not now"), QColor(255, 255, 255, 36))) {
    auto* text = new QVBoxLayout;
    text->setSpacing(3);
    text->addWidget(titleLabel);
    text->addWidget(detailLabel);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(record);
    buttons->addWidget(notNow);
    buttons->addStretch();
    text->addSpacing(7);
    text->addLayout(buttons);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(shadow + pad, shadow + pad, shadow + pad, shadow + pad);
    row->setSpacing(12);
    row->addWidget(icon(), 0, Qt::AlignTop);
    row->addLayout(text, 1);

    connect(record, &QPushButton::clicked, this, &CallPromptView::recordChosen);
    connect(notNow, &QPushButton::clicked, this, &CallPromptView::dismissed);
    connect(&model, &CallPromptModel::changed, this, &CallPromptView::follow);
    setFixedWidth(contentWidth + 2 * shadow);
    follow();
}

QString CallPromptView::title() const {
    return titleLabel->text();
}

QString CallPromptView::detail() const {
    return detailLabel->text();
}

void CallPromptView::follow() {
    const bool started = model.started();
    titleLabel->setText(started ? tr("Recording %1").arg(model.app())
                                : tr("%1 call starting").arg(model.app()));
    detailLabel->setText(started ? tr("Stop from the menu bar icon or the Calls tab.")
                                 : tr("Want notes? Let the others know first."));
    record->setVisible(!started);
    notNow->setVisible(!started);
    // The fitting size is asked for at once, before the nested layouts have heard of the hidden
    // buttons: activating from the top clears what each of them remembers.
    layout()->invalidate();
    layout()->activate();
    updateGeometry();
}

QSize CallPromptView::sizeHint() const {
    const int w = contentWidth + 2 * shadow;
    const QLayout* l = layout();
    return {w, l->hasHeightForWidth() ? l->totalHeightForWidth(w) : l->totalSizeHint().height()};
}

void CallPromptView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(shadow, shadow, -shadow, -shadow);
    OverlayPanel::paintShadow(p, card, radius, shadow);
    p.setPen(QPen(QColor(255, 255, 255, 31), 1));
    p.setBrush(QColor(0, 0, 0, 217));
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}
