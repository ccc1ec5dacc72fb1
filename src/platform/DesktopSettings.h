#pragma once

// The desktop's own settings application, where one is known; nothing otherwise.
namespace DesktopSettings {
void open();
}
