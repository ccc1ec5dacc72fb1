#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

// Voxmere's look shared by the tray, panels and pages.
namespace Brand {
QColor accent();
// Recording, everywhere it is shown: the tray, the key recorder's dot, the call strip.
QColor recording();
// The mark's outline, a microphone capsule on its stand, fitted into `bounds`: made to be
// stroked, not filled.
QPainterPath mark(const QRectF& bounds);
} // namespace Brand
