#include "ui/calls/SpeakerColor.h"

#include "meetings/SpeakerKey.h"
#include "ui/widgets/Brand.h"

#include <array>

QColor speakerColor(const SpeakerKey& key) {
    if (key.isYou())
        return Brand::you();
    const qlonglong n = key.number().value_or(0);
    // S0 and below only come from a hand-edited file; they are drawn as the far side.
    if (n < 1)
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
