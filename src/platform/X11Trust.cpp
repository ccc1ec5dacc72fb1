#include "platform/X11Trust.h"

#include "platform/X11Keyboard.h"

namespace X11Trust {
bool isTrusted() {
    return X11Keyboard::shared().isAvailable();
}
} // namespace X11Trust
