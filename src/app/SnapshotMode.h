#pragma once

#include <QStringList>

// "--snapshot DIR": draws every page of the main window, the dictation panels, the call prompt and
// the call strip, light and dark, into PNG files in DIR. Everything it shows is built-in demo data
// in stores of its own that never write, with scratch settings, so neither the user's data nor
// their preferences are read or changed. Answers 1 when a file can't be written.
namespace SnapshotMode {
int run(const QStringList& args);
}
