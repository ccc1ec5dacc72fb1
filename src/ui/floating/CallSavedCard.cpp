#include "ui/floating/CallSavedCard.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/widgets/Symbols.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The card is cream in either appearance, so its text is ink, not the palette's.
QLabel* label(const QString& text, int pixelSize, QFont::Weight weight, const QColor& colour) {
    auto* l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    l->setFont(f);
    l->setStyleSheet("color: " + Brand::css(colour) + ";");
    return l;
}

QColor faded() {
    QColor c = Brand::ink();
    c.setAlpha(150);
    return c;
}

} // namespace

CallSavedCard::CallSavedCard(QWidget* parent) : QWidget(parent) {
    setFixedWidth(width);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 10, 10, 12);
    column->setSpacing(8);
    auto* heading = new QHBoxLayout;
    heading->addWidget(label(QStringLiteral("CALL SAVED"), 11, QFont::DemiBold, Brand::ink()));
    heading->addStretch(1);
    close = new QToolButton;
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setToolTip(QStringLiteral("Close"));
    close->setIcon(Symbols::icon("xmark", faded(), 9));
    close->setIconSize(QSize(9, 9));
    close->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 3px; }"));
    heading->addWidget(close);
    column->addLayout(heading);
    auto* rows = new QFormLayout;
    rows->setHorizontalSpacing(16);
    rows->setVerticalSpacing(3);
    length = addRow(rows, QStringLiteral("Length"));
    speakers = addRow(rows, QStringLiteral("Speakers"));
    words = addRow(rows, QStringLiteral("Words"));
    uploaded = addRow(rows, QStringLiteral("Uploaded"));
    uploaded->setText(QStringLiteral("0 bytes"));
    column->addLayout(rows);
    open = new QPushButton(QStringLiteral("Open notes →"));
    open->setFlat(true);
    open->setFocusPolicy(Qt::NoFocus);
    open->setCursor(Qt::PointingHandCursor);
    open->setStyleSheet(QString("QPushButton { color: %1; font-weight: 600; font-size: 12px;"
                                " border: none; padding: 0; text-align: left; }")
                            .arg(Brand::css(Brand::green())));
    column->addWidget(open, 0, Qt::AlignLeft);
    connect(close, &QToolButton::clicked, this, &CallSavedCard::closeClicked);
    connect(open, &QPushButton::clicked, this, &CallSavedCard::openClicked);
}

QLabel* CallSavedCard::addRow(QFormLayout* rows, const QString& name) {
    auto* value = label(QString(), 11, QFont::Normal, Brand::ink());
    value->setFont(Brand::mono());
    value->setObjectName(name);
    rows->addRow(label(name, 11, QFont::Normal, faded()), value);
    return value;
}

void CallSavedCard::showMeeting(const Meeting& m) {
    length->setText(clock(m.duration()));
    speakers->setText(QString::number(m.speakerKeys().size()));
    words->setText(QString::number(m.words()));
}

QString CallSavedCard::value(const QString& name) const {
    const auto* l = findChild<QLabel*>(name);
    return l ? l->text() : QString();
}

void CallSavedCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 36), 1));
    p.setBrush(Brand::cream());
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}
