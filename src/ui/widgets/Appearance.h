#pragma once

#include "settings/Theme.h"

// Light and dark force a palette; the system theme follows the desktop's own.
namespace Appearance {
void apply(Theme theme);
}
