#include "system/KeyTables.h"
#include "system/X11KeyCodes.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool …) clash with its names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

TEST(KeyTables, CarbonModsKeepsOnlyTheFourClassicModifiers) {
    EXPECT_EQ(carbonMods(MacFlags::command | MacFlags::shift), 768u);
    EXPECT_EQ(carbonMods(MacFlags::option | MacFlags::control), 2048u + 4096u);
    EXPECT_EQ(carbonMods((1ull << 23) | (1ull << 16) | 0xff), 0u);
}

TEST(KeyTables, KeyNamePrefersTheTablesThenTheCharacters) {
    EXPECT_EQ(keyName({96, 0, "x"}), "F5");
    EXPECT_EQ(keyName({49, 0, " "}), "Space");
    EXPECT_EQ(keyName({123, 0, {}}), QString("←"));
    EXPECT_EQ(keyName({40, MacFlags::command, "k"}), "K");
    EXPECT_EQ(keyName({40, 0, {}}), "?");
}

TEST(X11KeyCodes, ModifierKeysKeepTheirSide) {
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_Alt_R), 61);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_ISO_Level3_Shift), 61);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_Alt_L), 58);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_Super_R), 54);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_Control_R), 62);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_Shift_L), 56);
    EXPECT_EQ(X11KeyCodes::keysymFor(61), XK_Alt_R);
    EXPECT_EQ(X11KeyCodes::keysymFor(63), 0u) << "fn has no X key";
}

TEST(X11KeyCodes, OrdinaryKeysMapBothWays) {
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_K), 40) << "either case of a letter";
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_k), 40);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_F1), 122);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_space), 49);
    EXPECT_EQ(X11KeyCodes::macKeyCode(XK_Escape), 53);
    EXPECT_FALSE(X11KeyCodes::macKeyCode(XK_KP_7).has_value());
    for (quint16 code : {0, 9, 18, 40, 48, 49, 50, 53, 96, 122, 126})
        EXPECT_EQ(X11KeyCodes::macKeyCode(X11KeyCodes::keysymFor(code)), code) << code;
}

TEST(X11KeyCodes, ModifierStatesTranslateToFlagsAndBack) {
    EXPECT_EQ(carbonMods(X11KeyCodes::macFlags(ShiftMask | Mod4Mask | Mod2Mask)), 768u);
    EXPECT_EQ(X11KeyCodes::xModifiers(2048 | 4096), unsigned(Mod1Mask | ControlMask));
    EXPECT_TRUE(X11KeyCodes::isModifier(XK_ISO_Level3_Shift));
    EXPECT_FALSE(X11KeyCodes::isModifier(XK_Tab));
    EXPECT_EQ(X11KeyCodes::characters(XK_k), "k");
    EXPECT_EQ(X11KeyCodes::characters(XK_Escape), "Escape");
    EXPECT_EQ(X11KeyCodes::characters(0x010020ac), QString("€"));
}
