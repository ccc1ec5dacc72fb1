#pragma once

#include <QString>

// "light" and "dark" force a palette; anything else follows the desktop's own.
namespace Appearance {
void apply(const QString& appearance);
}
