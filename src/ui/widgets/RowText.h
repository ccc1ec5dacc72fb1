#pragma once

#include "ui/widgets/WrapLabel.h"

// The words of a list row: plain text, wrapped, selectable, as wide as the row leaves it and as
// tall as it wraps at that width.
class RowText : public WrapLabel {
  public:
    explicit RowText(const QString& text, QWidget* parent = nullptr);
};
