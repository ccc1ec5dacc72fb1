#pragma once

#include <QString>

// Starting at login: the per-user autostart entry that launches Voxmere with "--background".
namespace LoginItem {
QString path();
// Writes (true) or removes (false) the entry; failures are ignored.
void set(bool on);
} // namespace LoginItem
