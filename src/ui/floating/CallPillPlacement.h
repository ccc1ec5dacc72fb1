#pragma once

#include "delivery/OverlayPlacement.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the call strip goes. It is anchored by its top-right corner (x = the right edge, one
// past the last pixel; y = the top edge, as Qt's y grows downward), so it grows and shrinks
// towards the left and down without moving that corner.
namespace CallPillPlacement {

using Screens = QList<OverlayPlacement::Screen>;

// The available area of the screen that shows most of `rect`, the earlier screen on a tie;
// nothing when no screen shows any of it.
std::optional<QRect> screenFor(const QRect& rect, const Screens& screens);

// The panel's frame for a panel of `size` anchored at `corner` (or 4 pixels inside the top-right
// of the primary screen's available area), clamped into the available area of the screen
// showing most of it; a corner off every screen is pulled into the primary one.
QRect frame(QSize size, const std::optional<QPoint>& corner, const Screens& screens);

// The top-right corner of `panel` after it was dropped: pulled against the left or right edge
// of its screen's available area when it lies within 40 pixels of it.
QPoint snapped(const QRect& panel, const Screens& screens);

QPoint corner(const QRect& panel);

} // namespace CallPillPlacement
