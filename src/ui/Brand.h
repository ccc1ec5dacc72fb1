#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

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

// The tray icon: a microphone capsule over a level line; `recording` paints it red.
QIcon trayIcon(bool recording = false);
} // namespace Brand
