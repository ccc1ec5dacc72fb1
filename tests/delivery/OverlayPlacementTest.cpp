#include "delivery/OverlayPlacement.h"

#include <gtest/gtest.h>

using namespace OverlayPlacement;

namespace {
// Two screens side by side; the primary has a 30-pixel panel at its top.
const QList<Screen> screens = {
    {QRect(0, 0, 1280, 800), QRect(0, 30, 1280, 770)},
    {QRect(1280, 0, 1920, 1080), QRect(1280, 0, 1920, 1080)},
};
const QSize size(200, 64);
} // namespace

TEST(OverlayPlacement, WithoutASavedPositionItSitsAboveTheBottomOfThePointersScreen) {
    EXPECT_EQ(topLeft(size, std::nullopt, screens, QPoint(100, 100)), QPoint(540, 800 - 32 - 64));
    EXPECT_EQ(topLeft(size, std::nullopt, screens, QPoint(2000, 10)),
              QPoint(1280 + 860, 1080 - 32 - 64));
    EXPECT_EQ(topLeft(size, std::nullopt, screens, QPoint(-50, -50)), QPoint(540, 704))
        << "a pointer on no screen means the primary";
}

TEST(OverlayPlacement, ASavedPositionKeepsItsCentreAndBottom) {
    EXPECT_EQ(topLeft(size, Saved{2500, 600}, screens, {}), QPoint(2400, 536));
    EXPECT_EQ(topLeft(size, Saved{640, 800}, screens, {}), QPoint(540, 736))
        << "resting on the bottom edge is still on that screen";
}

TEST(OverlayPlacement, ASavedPositionIsClampedIntoTheAvailableArea) {
    EXPECT_EQ(topLeft(size, Saved{10, 40}, screens, {}), QPoint(0, 30))
        << "not under the top panel, not past the left edge";
    EXPECT_EQ(topLeft(size, Saved{3190, 1080}, screens, {}), QPoint(3000, 1016));
    EXPECT_EQ(topLeft(size, Saved{-9000, 9000}, screens, {}), QPoint(0, 736))
        << "off every screen: clamped onto the primary";
    EXPECT_EQ(topLeft(QSize(440, 900), Saved{640, 800}, screens, {}), QPoint(420, 30))
        << "taller than the area: the top stays visible";
}

TEST(OverlayPlacement, NoScreenMeansTheOrigin) {
    EXPECT_EQ(topLeft(size, std::nullopt, {}, {}), QPoint(0, 0));
    EXPECT_EQ(topLeft(size, Saved{50, 50}, {}, {}), QPoint(0, 0));
}

TEST(OverlayPlacement, ACornerPanelSitsInsideTheTopRightOfThePointersAvailableArea) {
    EXPECT_EQ(topRightCorner(size, screens, QPoint(100, 100), 12), QPoint(1280 - 200 - 12, 42))
        << "below the top panel";
    EXPECT_EQ(topRightCorner(size, screens, QPoint(2000, 10), 12), QPoint(3200 - 200 - 12, 12));
}
