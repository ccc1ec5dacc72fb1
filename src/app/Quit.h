#pragma once

// How Voxmere quits, from the tray, Ctrl+Q, a signal or a mode that is done: the event loop ends
// whatever the windows say, and the teardown after it stops the engine and flushes the stores.
//
// Not QCoreApplication::quit: that first asks every window to close, stopping at the first that
// refuses, and is ignored if a window is still shown afterwards. The main window refuses (closing
// it only hides it), so a call strip or result card that Qt happened to list after it stayed up
// and the quit was dropped.
namespace Quit {
void now();
} // namespace Quit
