#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the overlay goes. Qt's y grows downward, so the saved position is the panel's
// horizontal centre and its bottom edge.
namespace OverlayPlacement {

struct Screen {
    QRect frame;
    QRect available; // without panels and docks
};

struct Saved {
    double centreX;
    double bottom;
};

// `screens[0]` is the primary screen. A saved position goes on the screen that contains it (else
// the primary), clamped inside its available area; without one, the panel sits centred 32
// pixels above the bottom of the available area of the screen under the pointer.
QPoint topLeft(QSize size, const std::optional<Saved>& saved, const QList<Screen>& screens,
               QPoint pointer);

// The top-left of a panel tucked `margin` pixels inside the top-right corner of the available
// area of the screen under the pointer (else the primary), clear of the desktop's top panel.
QPoint topRightCorner(QSize size, const QList<Screen>& screens, QPoint pointer, int margin);

// The desktop's screens now, the primary first.
QList<Screen> desktopScreens();

} // namespace OverlayPlacement
