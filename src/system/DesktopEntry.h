#pragma once

#include <QString>

// The desktop-entry files that start Voxmere: the autostart entry and the applications-menu
// entry of an installed copy.
namespace DesktopEntry {
// `arguments` follow the quoted executable on the Exec line as written.
QString text(const QString& executable, const QString& arguments, const QString& icon,
             bool autostart);
// Writes `text` to `path` atomically, making its folder; false when it could not.
bool write(const QString& path, const QString& text);
} // namespace DesktopEntry
