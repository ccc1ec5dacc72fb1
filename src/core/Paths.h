#pragma once

#include <QString>

// Where Voxmere keeps what it stores: $XDG_DATA_HOME/Voxmere, created readable by its owner only
// because it holds what people said.
namespace Paths {
QString dataDir();
QString dataFile(const QString& name);
QString modelDir();
// Creates the data folder (0700) when missing; answers whether it exists afterwards.
bool ensureDataDir();
// Creates a folder the stores write into, readable by its owner only, when missing (a folder
// that exists is left as its owner set it).
void makePrivateFolder(const QString& path);
} // namespace Paths
