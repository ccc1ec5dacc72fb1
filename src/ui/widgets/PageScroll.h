#pragma once

#include <functional>

class QObject;
class QScrollArea;
class QWidget;

// Pages taller than the window scroll as a whole, without a frame of their own.
namespace PageScroll {
// Long lists make this many rows at a time, more as the user scrolls towards their end, so a
// page with thousands of entries opens at once.
inline constexpr int batch = 60;

QScrollArea* scroller(QWidget* content);
// Fills `page` with `content`, scrolling.
void fill(QWidget* page, QWidget* content);
// Calls `more` (for as long as `context` lives) when `scroll` comes near the end of its content.
void whenNearEnd(QScrollArea* scroll, QObject* context, std::function<void()> more);
} // namespace PageScroll
