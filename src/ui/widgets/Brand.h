#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>

// Voxmere's look shared by the tray, panels and pages. Colours with two values follow the
// appearance the application palette was given (see Appearance): dark when its window colour is.
namespace Brand {
bool dark();

QColor accent();
// The accent of one appearance, for building the palette that decides `dark()`.
QColor accentFor(bool darkAppearance);
QColor green();
QColor cream();
QColor ink();
// Recording, everywhere it is shown: the tray, the key recorder's dot, the call strip.
QColor recording();
QColor you();
QColor them();
QColor youOnDark();
QColor themOnDark();
QColor sidebar();
QColor canvas();
QColor card();
QColor cardEdge();
// The desktop has no warning orange of its own to borrow, so it is fixed here.
QColor orange();
// Secondary text: the palette's text, faded.
QColor secondaryText();

// "rgba(…)" for style sheets, which would otherwise drop the alpha of a colour's name().
QString css(const QColor& colour);

QFont mono();
QFont serif(int pixelSize);

// The mark's outline, a microphone capsule on its stand, fitted into `bounds`: made to be
// stroked, not filled.
QPainterPath mark(const QRectF& bounds);
} // namespace Brand
