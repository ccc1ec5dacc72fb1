#include "delivery/OverlayPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

namespace OverlayPlacement {

namespace {

const Screen* screenAt(const QList<Screen>& screens, QPoint point) {
    for (const Screen& s : screens)
        if (s.frame.contains(point))
            return &s;
    return screens.isEmpty() ? nullptr : &screens.first();
}

int availableRight(const Screen& s) {
    return s.available.x() + s.available.width();
}
int availableBottom(const Screen& s) {
    return s.available.y() + s.available.height();
}

} // namespace

QPoint topLeft(QSize size, const std::optional<Saved>& saved, const QList<Screen>& screens,
               QPoint pointer) {
    const int w = size.width(), h = size.height();
    if (saved) {
        // The point just inside the bottom edge, so a panel resting on a screen's bottom counts
        // as on that screen.
        const QPoint anchor(qRound(saved->centreX), qRound(saved->bottom) - 1);
        if (const Screen* s = screenAt(screens, anchor)) {
            const int x = std::min(std::max(s->available.x(), qRound(saved->centreX - w / 2.0)),
                                   availableRight(*s) - w);
            // A panel taller than the area keeps its top (the card's header and close button)
            // on the screen.
            const int bottom = std::max(std::min(qRound(saved->bottom), availableBottom(*s)),
                                        s->available.y() + h);
            return {x, bottom - h};
        }
    }
    const Screen* s = screenAt(screens, pointer);
    if (!s)
        return {0, 0};
    return {s->available.x() + (s->available.width() - w) / 2, availableBottom(*s) - 32 - h};
}

QPoint topRightCorner(QSize size, const QList<Screen>& screens, QPoint pointer, int margin) {
    const Screen* s = screenAt(screens, pointer);
    if (!s)
        return {0, 0};
    return {availableRight(*s) - size.width() - margin, s->available.y() + margin};
}

QList<Screen> desktopScreens() {
    QList<Screen> list;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        list << Screen{primary->geometry(), primary->availableGeometry()};
    for (QScreen* s : QGuiApplication::screens())
        if (s != primary)
            list << Screen{s->geometry(), s->availableGeometry()};
    return list;
}

} // namespace OverlayPlacement
