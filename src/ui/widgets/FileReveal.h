#pragma once

#include <QStringList>

// Shows files in the desktop's file manager, selected together; without a file manager that
// answers on the session bus, the folder of the first file is opened instead.
namespace FileReveal {
void show(const QStringList& paths);
}
