#pragma once

#include <QString>

// Starting at login: the per-user autostart entry that launches Voxmere with "--background".
namespace LoginItem {
QString path();
// The entry's text for the given executable.
QString entry(const QString& executable);
// Writes (true) or removes (false) the entry; failures are ignored.
void set(bool on);
} // namespace LoginItem
