#include "ui/widgets/IconButton.h"

#include "ui/widgets/Brand.h"
#include "ui/widgets/Symbols.h"

#include <QEvent>

IconButton::IconButton(const QString& symbol, const QString& help, QWidget* parent)
    : QToolButton(parent) {
    setAutoRaise(true);
    setToolTip(help);
    setAccessibleName(help);
    setCursor(Qt::PointingHandCursor);
    setSymbol(symbol);
}

void IconButton::setSymbol(const QString& symbol) {
    symbol_ = symbol;
    setIcon(Symbols::icon(symbol, Brand::secondaryText()));
}

// The drawn icon carries its colour, so a new appearance needs it drawn again.
void IconButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        setSymbol(symbol_);
    QToolButton::changeEvent(event);
}
