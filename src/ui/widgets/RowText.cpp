#include "ui/widgets/RowText.h"

RowText::RowText(const QString& text, QWidget* parent) : WrapLabel(text, parent) {
    // Level with the row's other columns, however tall the row is laid out.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A policy set after the word wrap replaces the wrap's height-for-width; without it the row
    // is as tall as the text wrapped at a guessed width, clipped or with a gap below.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}
