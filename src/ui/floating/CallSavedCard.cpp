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
    heading->addWidget(label(tr("CALL SAVED"), 11, QFont::DemiBold, Brand::ink()));
    heading->addStretch(1);
    close = new QToolButton;
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setToolTip(tr("Close"));
    close->setIcon(Symbols::icon("xmark", faded(), 9));
    close->setIconSize(QSize(9, 9));
    close->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 3px; }"));
    heading->addWidget(close);
    column->addLayout(heading);
    auto* rows = new QFormLayout;
    rows->setHorizontalSpacing(16);
    rows->setVerticalSpacing(3);
    length = addRow(rows, QT_TR_NOOP("Length"));
    speakers = addRow(rows, QT_TR_NOOP("Speakers"));
    words = addRow(rows, QT_TR_NOOP("Words"));
    uploaded = addRow(rows, QT_TR_NOOP("Uploaded"));
    uploaded->setText(tr("0 bytes"));
    column->addLayout(rows);
    open = new QPushButton(tr("Open notes →"));
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

// The value is found by the row's English name, whatever the language the name is shown in.
QLabel* CallSavedCard::addRow(QFormLayout* rows, const char* name) {
    auto* value = label(QString(), 11, QFont::Normal, Brand::ink());
    value->setFont(Brand::mono());
    value->setObjectName(QString::fromUtf8(name));
    rows->addRow(label(tr(name), 11, QFont::Normal, faded()), value);
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
