#pragma once

// The window's colours: the desktop's own, or always light or always dark.
enum class Theme { system, light, dark };
