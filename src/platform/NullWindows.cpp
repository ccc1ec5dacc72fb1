#include "platform/NullWindows.h"

std::optional<WindowInfo> NullWindows::frontmost() {
    return std::nullopt;
}

QList<WindowInfo> NullWindows::all() {
    return {};
}
