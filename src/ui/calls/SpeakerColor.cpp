#include "ui/calls/SpeakerColor.h"

#include "ui/widgets/Brand.h"

#include <array>

QColor speakerColor(const QString& key) {
    if (key == QLatin1String("You"))
        return Brand::you();
    bool ok = false;
    const int n = key.startsWith('S') ? key.mid(1).toInt(&ok) : 0;
    // S0 and below only come from a hand-edited file; they are drawn as the far side.
    if (!ok || n < 1 || !key.at(1).isDigit())
        return Brand::them();
    const bool dark = Brand::dark();
    const std::array<QColor, 8> cycle = {
        Brand::them(),
        Brand::accent(),
        Brand::orange(),
        dark ? QColor(191, 90, 242) : QColor(175, 82, 222),
        dark ? QColor(64, 200, 224) : QColor(48, 176, 199),
        dark ? QColor(172, 142, 104) : QColor(162, 132, 94),
        dark ? QColor(94, 92, 230) : QColor(88, 86, 214),
        dark ? QColor(255, 55, 95) : QColor(255, 45, 85),
    };
    return cycle[size_t((n - 1) % 8)];
}
