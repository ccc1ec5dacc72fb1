#include "ui/widgets/WrapLabel.h"

#include <QEvent>

namespace {
// Enough for the widths one layout asks about; a window being resized asks about many more.
constexpr qsizetype widthsKept = 8;
} // namespace

WrapLabel::WrapLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

int WrapLabel::heightForWidth(int width) const {
    if (text() != measured || heights.size() >= widthsKept) {
        heights.clear();
        measured = text();
    }
    if (const auto known = heights.constFind(width); known != heights.constEnd())
        return *known;
    const int height = QLabel::heightForWidth(width);
    heights.insert(width, height);
    return height;
}

void WrapLabel::changeEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::StyleChange ||
        type == QEvent::ContentsRectChange)
        heights.clear();
    QLabel::changeEvent(event);
}
