#include "ui/floating/CallPillPlacement.h"

#include <algorithm>

namespace CallPillPlacement {

namespace {

constexpr int inset = 4;
constexpr int snapDistance = 40;

qint64 area(const QRect& r) {
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

std::optional<QRect> screenFor(const QRect& rect, const Screens& screens) {
    std::optional<QRect> best;
    qint64 bestArea = 0;
    for (const OverlayPlacement::Screen& s : screens) {
        const qint64 shown = area(s.frame.intersected(rect));
        if (shown > bestArea) {
            best = s.available;
            bestArea = shown;
        }
    }
    return best;
}

QPoint corner(const QRect& panel) {
    return {panel.x() + panel.width(), panel.y()};
}

QRect frame(QSize size, const std::optional<QPoint>& wanted, const Screens& screens) {
    const int w = size.width(), h = size.height();
    QRect area = screens.isEmpty() ? QRect() : screens.first().available;
    const QPoint c = wanted.value_or(QPoint(area.x() + area.width() - inset, area.y() + inset));
    if (const auto shown = screenFor(QRect(c.x() - w, c.y(), w, h), screens))
        area = *shown;
    const int right = std::min(std::max(c.x(), area.x() + w), area.x() + area.width());
    // A panel taller than the area keeps its top, with the buttons, on the screen.
    const int top = std::max(std::min(c.y(), area.y() + area.height() - h), area.y());
    return {right - w, top, w, h};
}

QPoint snapped(const QRect& panel, const Screens& screens) {
    const auto area = screenFor(panel, screens);
    if (!area)
        return corner(panel);
    const int areaRight = area->x() + area->width();
    const int panelRight = panel.x() + panel.width();
    if (panel.x() - area->x() < snapDistance)
        return {area->x() + panel.width(), panel.y()};
    if (areaRight - panelRight < snapDistance)
        return {areaRight, panel.y()};
    return corner(panel);
}

} // namespace CallPillPlacement
