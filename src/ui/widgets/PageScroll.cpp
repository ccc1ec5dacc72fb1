#include "ui/widgets/PageScroll.h"

#include <QScrollArea>
#include <QScrollBar>
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

void whenNearEnd(QScrollArea* scroll, QObject* context, std::function<void()> more) {
    // Well before the end, so that the next rows are there before the user reaches them.
    constexpr int ahead = 400;
    QScrollBar* bar = scroll->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::valueChanged, context,
                     [bar, more = std::move(more)](int value) {
                         if (value > bar->maximum() - ahead)
                             more();
                     });
}

} // namespace PageScroll
