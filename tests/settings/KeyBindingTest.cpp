#include "settings/KeyBinding.h"

#include <gtest/gtest.h>

TEST(KeyBinding, DisplayFollowsTheMode) {
    EXPECT_EQ((KeyBinding{HotkeyKind::modifier, 63, 0, 0, ""}.display()), "fn");
    EXPECT_EQ((KeyBinding{HotkeyKind::modifier, 59, 0, 0, ""}.display()), "Left ⌃");
    EXPECT_EQ((KeyBinding{HotkeyKind::modifier, 70000, 0, 0, ""}.display()), "?");
    EXPECT_EQ((KeyBinding{HotkeyKind::combo, 0, 49, 2048, "Space"}.display()), "⌥Space");
    EXPECT_EQ((KeyBinding{HotkeyKind::none, 61, 0, 0, ""}.display()), "None");
}

TEST(KeyBinding, ModStringHasAFixedOrderAndIgnoresOtherBits) {
    EXPECT_EQ(KeyBinding::modString(256 | 512 | 2048 | 4096), "⌃⌥⇧⌘");
    EXPECT_EQ(KeyBinding::modString(256 | 4096), "⌃⌘");
    EXPECT_EQ(KeyBinding::modString(1 | 128 | 1024), "");
}

TEST(KeyBinding, SameKeyComparesThePhysicalKeyOnly) {
    const KeyBinding a{HotkeyKind::combo, 0, 40, 4096, "K"};
    const KeyBinding b{HotkeyKind::combo, 0, 40, 4096, "k"};
    EXPECT_TRUE(a.sameKey(b));
    EXPECT_FALSE(a.sameKey(KeyBinding{HotkeyKind::combo, 0, 40, 256, "K"}));
    EXPECT_FALSE((KeyBinding{HotkeyKind::modifier, 40, 40, 4096, ""}.sameKey(a)));
    EXPECT_TRUE(
        (KeyBinding{HotkeyKind::modifier, 61, 1, 2, "x"}.sameKey(KeyBinding{HotkeyKind::modifier, 61, 0, 0, ""})));
    EXPECT_FALSE(KeyBinding{}.sameKey(KeyBinding{}));
}
