#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

// Voxmere's look shared by the tray, panels and pages.
namespace Brand {
QColor accent();
// The mark's outline, a microphone capsule on its stand, fitted into `bounds`: made to be
// stroked, not filled.
QPainterPath mark(const QRectF& bounds);
} // namespace Brand
