#pragma once

// Whether this process may type into other applications: true on an X server with the XTest
// extension, false otherwise (for example a Wayland session without an X server).
namespace X11Trust {
bool isTrusted();
}
