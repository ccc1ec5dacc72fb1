#include "ui/widgets/Appearance.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

// The system theme must give back what the desktop had before a forced appearance, style included.
TEST(Appearance, SystemAfterDarkRestoresTheDesktopsOwnStyleAndPalette) {
    QApplication::setStyle(QStyleFactory::create("Windows"));
    const QPalette desktop = QApplication::palette();

    Appearance::apply(Theme::dark);
    EXPECT_EQ(QApplication::style()->name(), "fusion");
    EXPECT_NE(QApplication::palette().color(QPalette::Window), desktop.color(QPalette::Window));

    Appearance::apply(Theme::system);
    EXPECT_EQ(QApplication::style()->name(), "windows");
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), desktop.color(QPalette::Window));
    EXPECT_EQ(QApplication::palette().color(QPalette::Text), desktop.color(QPalette::Text));
}
