#pragma once

class QScrollArea;
class QWidget;

// Pages taller than the window scroll as a whole, without a frame of their own.
namespace PageScroll {
QScrollArea* scroller(QWidget* content);
// Fills `page` with `content`, scrolling.
void fill(QWidget* page, QWidget* content);
} // namespace PageScroll
