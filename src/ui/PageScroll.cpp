#include "ui/PageScroll.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace PageScroll {

QScrollArea* scroller(QWidget* content) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

void fill(QWidget* page, QWidget* content) {
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroller(content));
}

} // namespace PageScroll
