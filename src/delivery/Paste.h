#pragma once

#include <QString>

namespace Paste {

// Replaces the clipboard's content with the text.
void copyToClipboard(const QString& text);

// Puts the text on the clipboard and types the paste key (Control+V, Control+Shift+V in a
// terminal) into the frontmost application, once the user has let go of every modifier (a key
// still held would turn it into another shortcut). Returns at once; the text stays on the
// clipboard. GUI thread.
void paste(const QString& text);

// How long a held modifier may delay the paste before it is typed anyway.
inline constexpr int modifierWaitMs = 1500;

} // namespace Paste
