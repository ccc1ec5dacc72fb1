#include "support/FakeKeyWatcher.h"
#include "support/TempSettings.h"
#include "system/HotKey.h"

#include <gtest/gtest.h>
// After gtest: X's macros (None …) clash with its names.
#include <X11/X.h>
#include <X11/keysym.h>

// The press, release, cancel and combo rules, on key events the test makes up.
namespace {

class HotKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QObject::connect(&hotKey, &HotKey::keyPressed,
                         [this](int s) { events << QString("down%1").arg(s); });
        QObject::connect(&hotKey, &HotKey::keyReleased,
                         [this](int s) { events << QString("up%1").arg(s); });
        QObject::connect(&hotKey, &HotKey::pressCancelled,
                         [this](int s) { events << QString("cancel%1").arg(s); });
    }
    QStringList take() { return std::exchange(events, {}); }

    TempSettings temp;
    Settings& settings = temp.settings;
    FakeKeyWatcher keys;
    HotKey hotKey{settings, keys};
    QStringList events;
};

const KeyBinding rightAlt{HotkeyKind::modifier, 61, 0, 0, {}};
const KeyBinding rightControl{HotkeyKind::modifier, 62, 0, 0, {}};
const KeyBinding altSpace{HotkeyKind::combo, 0, 49, 2048, "Space"};
const KeyBinding controlF5{HotkeyKind::combo, 0, 96, 4096, "F5"};

} // namespace

TEST_F(HotKeyTest, AModifierKeyGoesDownOnceIsCancelledByOtherKeysAndComesUpOnce) {
    settings.setBinding(0, rightAlt);
    settings.setBinding(1, {});
    ASSERT_TRUE(hotKey.registerKeys());
    keys.press(XK_Alt_L); // the twin is another key
    keys.release(XK_Alt_L);
    keys.press(XK_Alt_R);
    keys.press(XK_Alt_R); // a repeat is not a new press
    EXPECT_EQ(take(), QStringList{"down0"});
    keys.press(XK_Shift_L); // another modifier is not a shortcut being typed
    keys.release(XK_Shift_L);
    keys.press(XK_Tab);
    keys.release(XK_Tab);
    EXPECT_EQ(take(), QStringList{"cancel0"});
    EXPECT_TRUE(hotKey.modDown[0]) << "the release still ends the press";
    keys.release(XK_Alt_R);
    keys.release(XK_Alt_R);
    EXPECT_EQ(take(), QStringList{"up0"});
    keys.press(XK_Tab);
    EXPECT_EQ(take(), QStringList{}) << "nothing held, nothing to cancel";
}

TEST_F(HotKeyTest, AKeyPressedWhileBothModifierKeysAreHeldCancelsBothInSlotOrder) {
    settings.setBinding(0, rightAlt);
    settings.setBinding(1, rightControl);
    ASSERT_TRUE(hotKey.registerKeys());
    keys.press(XK_Control_R);
    keys.press(XK_Alt_R);
    keys.press(XK_a);
    EXPECT_EQ(take(), (QStringList{"down1", "down0", "cancel0", "cancel1"}));
}

TEST_F(HotKeyTest, CombosFireOnTheirOwnModifiersAndRepeatsAreNotNewPresses) {
    settings.setBinding(0, altSpace);
    settings.setBinding(1, controlF5);
    ASSERT_TRUE(hotKey.registerKeys());
    keys.grabbed(XK_space, Mod1Mask | ShiftMask, true);
    keys.grabbed(XK_space, Mod1Mask | ShiftMask, false);
    EXPECT_EQ(take(), QStringList{}) << "other modifiers make another combination";
    keys.grabbed(XK_space, Mod1Mask, true);
    keys.grabbed(XK_space, Mod1Mask, true);
    keys.press(XK_Tab); // no modifier-only key: nothing to cancel
    keys.grabbed(XK_space, 0, false); // Alt let go first
    EXPECT_EQ(take(), (QStringList{"down0", "up0"}));
    keys.grabbed(XK_F5, ControlMask, true);
    keys.grabbed(XK_F5, ControlMask, false);
    EXPECT_EQ(take(), (QStringList{"down1", "up1"}));
}

TEST_F(HotKeyTest, RegistrationFailsOnlyForATakenDictationCombo) {
    keys.take(XK_space, Mod1Mask);
    settings.setBinding(0, altSpace);
    settings.setBinding(1, rightAlt);
    EXPECT_FALSE(hotKey.registerKeys());
    EXPECT_TRUE(keys.grabs.isEmpty());
    keys.press(XK_Alt_R);
    EXPECT_EQ(take(), QStringList{"down1"}) << "the other key still works";

    settings.setBinding(0, rightAlt);
    settings.setBinding(1, altSpace);
    EXPECT_TRUE(hotKey.registerKeys()) << "a taken hands-free key is ignored";

    settings.setBinding(0, {HotkeyKind::modifier, 49, 0, 0, {}}); // Space is no modifier key
    settings.setBinding(1, {});
    EXPECT_TRUE(hotKey.registerKeys());
    keys.press(XK_space);
    keys.press(XK_Alt_R);
    EXPECT_EQ(take(), QStringList{});
}

TEST_F(HotKeyTest, UnregisterReleasesEveryGrabAndForgetsHeldKeys) {
    settings.setBinding(0, rightAlt);
    settings.setBinding(1, altSpace);
    ASSERT_TRUE(hotKey.registerKeys());
    EXPECT_TRUE(keys.isGrabbed(XK_space, Mod1Mask));
    keys.press(XK_Alt_R);
    hotKey.unregister();
    EXPECT_TRUE(keys.grabs.isEmpty());
    EXPECT_FALSE(hotKey.modDown[0]);
    keys.release(XK_Alt_R);
    keys.press(XK_Alt_R);
    EXPECT_EQ(take(), QStringList{"down0"}) << "only the press made while registered";
}

// A new layout moves keys; the server also reports a change whenever typing moves from one
// keyboard to another, so keys may be held across it.
TEST_F(HotKeyTest, AMappingChangeGrabsMovedKeysAgainAndHeldKeysStillComeUp) {
    settings.setBinding(0, rightAlt);
    settings.setBinding(1, altSpace);
    ASSERT_TRUE(hotKey.registerKeys());
    keys.press(XK_Alt_R);
    keys.grabbed(XK_space, Mod1Mask, true);
    keys.moveKey(XK_F5, 250);
    keys.release(XK_Alt_R);
    keys.grabbed(XK_space, Mod1Mask, false);
    EXPECT_EQ(take(), (QStringList{"down0", "down1", "up0", "up1"}));

    settings.setBinding(1, controlF5);
    ASSERT_TRUE(hotKey.registerKeys());
    keys.moveKey(XK_F5, 251);
    EXPECT_EQ(keys.grabs, (QSet<QPair<int, unsigned>>{{251, ControlMask}}));
    hotKey.unregister();
    keys.moveKey(XK_F5, 252);
    EXPECT_TRUE(keys.grabs.isEmpty()) << "nothing is grabbed again after unregister";
}
