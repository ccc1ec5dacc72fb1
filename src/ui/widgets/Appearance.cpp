#include "ui/widgets/Appearance.h"

#include "ui/widgets/Brand.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {
QPalette darkPalette() {
    QPalette p;
    const QColor window(0x1f, 0x1f, 0x22), base(0x16, 0x16, 0x18), text(0xee, 0xee, 0xf0);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window.lighter(130));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, text.darker(160));
    p.setColor(QPalette::Highlight, Brand::accentFor(true));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, text.darker(200));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, text.darker(200));
    return p;
}
// The desktop's own style, remembered before a forced appearance first replaces it.
QString desktopStyle() {
    static const QString name = QApplication::style()->name();
    return name;
}

void useFusion() {
    desktopStyle();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}
} // namespace

namespace Appearance {

void apply(Theme theme) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    if (theme == Theme::dark) {
        useFusion();
        QApplication::setPalette(darkPalette());
    } else if (theme == Theme::light) {
        useFusion();
        QPalette light = QApplication::style()->standardPalette();
        light.setColor(QPalette::Highlight, Brand::accentFor(false));
        QApplication::setPalette(light);
    } else {
        if (QApplication::style()->name() != desktopStyle())
            QApplication::setStyle(desktopStyle());
        QApplication::setPalette(QPalette());
    }
}

} // namespace Appearance
