#include "ui/pages/StatCard.h"

#include "ui/widgets/Brand.h"
#include "ui/widgets/Symbols.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

StatCard::StatCard(const QString& symbol, const QString& label, QWidget* parent)
    : QFrame(parent), symbol(symbol), icon(new QLabel), valueLabel(new QLabel("0")) {
    setProperty("card", true);
    valueLabel->setFont(Brand::serif(28));
    auto* caption = new QLabel(label);
    caption->setProperty("secondary", true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 14);
    column->setSpacing(4);
    column->addWidget(icon);
    column->addWidget(valueLabel);
    column->addWidget(caption);
    icon->setPixmap(Symbols::icon(symbol, Brand::accent(), 18).pixmap(18, 18));
}

void StatCard::setValue(const QString& value) {
    valueLabel->setText(value);
}

QString StatCard::value() const {
    return valueLabel->text();
}

void StatCard::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        icon->setPixmap(Symbols::icon(symbol, Brand::accent(), 18).pixmap(18, 18));
    QFrame::changeEvent(event);
}
