#pragma once

#include <QImage>

// The application's icon: the brand mark, cream on the brand's green, on a rounded square.
namespace AppIcon {
QImage render(int size);
} // namespace AppIcon
