#include "ui/widgets/RefreshWhenSeen.h"

#include <QEvent>
#include <QWidget>

RefreshWhenSeen::RefreshWhenSeen(QWidget* view, std::function<void()> refresh)
    : QObject(view), view(view), refresh(std::move(refresh)) {
    view->installEventFilter(this);
}

void RefreshWhenSeen::changed() {
    stale = true;
    if (view->isVisible()) {
        stale = false;
        refresh();
    }
}

bool RefreshWhenSeen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view && event->type() == QEvent::Show && stale) {
        stale = false;
        refresh();
    }
    return false;
}
