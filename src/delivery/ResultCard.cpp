#include "delivery/ResultCard.h"

#include "core/Scheduler.h"
#include "delivery/OverlayModel.h"
#include "delivery/OverlayPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPixmap speechBubble() {
    QPixmap pixmap(16 * 2, 16 * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 2, 14, 10), 4, 4);
    QPainterPath tail;
    tail.moveTo(4, 11);
    tail.lineTo(3.5, 15);
    tail.lineTo(8, 11);
    bubble = bubble.united(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPath(bubble);
    return pixmap;
}

QString buttonStyle(const QString& background) {
    return QStringLiteral("QPushButton { color: white; background: %1; border: 1px solid "
                          "rgba(255,255,255,40); border-radius: 7px; padding: 4px 12px; "
                          "font-size: 12px; font-weight: 600; }"
                          "QPushButton:hover { background: rgba(255,255,255,50); }")
        .arg(background);
}

} // namespace

ResultCard::ResultCard(OverlayModel& model, Scheduler& scheduler,
                       std::function<void(QString)> copyToClipboard, QWidget* parent)
    : QWidget(parent), model(model), scheduler(scheduler),
      copyToClipboard(std::move(copyToClipboard)), status(new QLabel), text(new QLabel),
      close(new QPushButton(QStringLiteral("✕"))), copy(new QPushButton),
      allow(new QPushButton(tr("Allow in Settings"))) {
    auto* icon = new QLabel;
    icon->setPixmap(speechBubble());
    status->setStyleSheet("font-size: 11px;");
    close->setFixedSize(20, 20);
    close->setCursor(Qt::PointingHandCursor);
    close->setStyleSheet("QPushButton { color: rgba(255,255,255,150); background: "
                         "rgba(255,255,255,25); border: none; border-radius: 10px; "
                         "font-size: 10px; } QPushButton:hover { color: white; }");
    // Dictated text may hold anything, angle brackets included: it is shown as it was spoken.
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setStyleSheet("color: white; font-size: 14px;");
    copy->setStyleSheet(buttonStyle("rgba(255,255,255,30)"));
    // Wide enough for "Copied" too, so the button doesn't grow when clicked.
    copy->setMinimumWidth(80);
    allow->setStyleSheet(buttonStyle("rgba(255,149,0,170)"));
    auto* hint = new QLabel(tr("Ctrl+V to paste anywhere · Esc to close"));
    hint->setStyleSheet("color: rgba(255,255,255,100); font-size: 11px;");

    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(icon);
    header->addWidget(status, 1);
    header->addWidget(close);
    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    actions->addWidget(copy);
    actions->addWidget(allow);
    actions->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 12, 14);
    column->setSpacing(10);
    column->addLayout(header);
    column->addWidget(text);
    column->addLayout(actions);
    column->addWidget(hint);

    connect(close, &QPushButton::clicked, this, &ResultCard::closeRequested);
    connect(copy, &QPushButton::clicked, this, &ResultCard::copyText);
    connect(allow, &QPushButton::clicked, this, &ResultCard::settingsRequested);
    connect(&model, &OverlayModel::changed, this, &ResultCard::refresh);
    refresh();
}

void ResultCard::refresh() {
    const bool permission = model.needsPermission();
    status->setText(permission ? tr("Voxmere isn't allowed to paste yet · copied to clipboard")
                               : tr("No text field found · tried to paste · copied to clipboard"));
    status->setStyleSheet(permission ? "color: rgb(255,149,0); font-size: 11px;"
                                     : "color: rgba(255,255,255,140); font-size: 11px;");
    text->setText(model.phase().text);
    copy->setText(model.copied() ? tr("Copied") : tr("Copy"));
    allow->setVisible(permission);
    updateGeometry();
}

// The card closes a moment after copying, unless something else is on show by then: closing
// then would hide that instead.
void ResultCard::copyText() {
    const OverlayModel::Phase shown = model.phase();
    copyToClipboard(shown.text);
    model.setCopied(true);
    scheduler.after(this, 0.9, [this, shown] {
        if (model.phase() == shown && model.copied())
            emit closeRequested();
    });
}

QSize ResultCard::sizeHint() const {
    return {cardWidth, layout()->heightForWidth(cardWidth)};
}

void ResultCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    OverlayPanel::paintDarkCard(p, rect(), radius);
}
