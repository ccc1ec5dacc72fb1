#pragma once

#include <QColor>
#include <QIcon>

// Voxmere's look shared by the tray, panels and pages.
namespace Brand {
QColor accent();
// The tray icon: a microphone capsule over a level line; `recording` paints it red.
QIcon trayIcon(bool recording = false);
} // namespace Brand
