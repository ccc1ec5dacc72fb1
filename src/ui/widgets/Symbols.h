#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The pages' small line icons, drawn here rather than taken from the icon theme: the offscreen
// platform and many desktop themes have none of these. Named like the symbols they stand for
// ("doc.on.doc", "trash", …); an unknown name draws nothing. GUI thread only.
namespace Symbols {
QIcon icon(const QString& name, const QColor& colour, int size = 16);
} // namespace Symbols
