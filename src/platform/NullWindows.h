#pragma once

#include "platform/Windows.h"

// A desktop with no windows to tell of (no X server).
class NullWindows : public Windows {
  public:
    std::optional<WindowInfo> frontmost() override;
    QList<WindowInfo> all() override;
};
