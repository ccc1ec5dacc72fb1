#pragma once

#include <QColor>
#include <QIcon>

// Voxmere's look shared by the tray, panels and pages.
namespace Brand {
QColor accent();
// Recording, everywhere it is shown: the tray, the key recorder's dot, the call strip.
QColor recording();
// The tray icon: a microphone capsule over a level line; `recording` paints it red.
QIcon trayIcon(bool recording = false);
} // namespace Brand
