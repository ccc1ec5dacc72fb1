#include "ui/pages/HotkeyRecorder.h"
#include "support/FakeKeyWatcher.h"
#include "support/TempSettings.h"
#include "system/HotKey.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The capture rules, fed with key events directly.
class HotkeyRecorderTest : public ::testing::Test {
  protected:
    TempSettings temp;
    Settings& settings = temp.settings;
    FakeKeyWatcher keys;
    HotKey hotKey{settings, keys};
    int beeps = 0;

    std::unique_ptr<HotkeyRecorder> recorder(int slot) {
        auto r = std::make_unique<HotkeyRecorder>(slot, settings, hotKey, keys);
        r->beep = [this] { ++beeps; };
        return r;
    }
    static KeyEvent key(quint16 code, quint64 flags, const QString& chars) {
        return {code, flags, chars};
    }
};

} // namespace

TEST_F(HotkeyRecorderTest, EscapeAloneCancelsButShiftEscapeIsACombo) {
    const KeyBinding before = settings.binding(0);
    auto r = recorder(0);
    r->start();
    r->keyDown(key(53, 0, "Escape"));
    EXPECT_FALSE(r->state().listening());
    EXPECT_EQ(settings.binding(0), before);

    r->start();
    r->keyDown(key(53, MacFlags::shift, "Escape"));
    EXPECT_FALSE(r->state().listening());
    EXPECT_EQ(settings.binding(0).mode, HotkeyKind::combo);
    EXPECT_EQ(settings.binding(0).keyCode, 53u);
    EXPECT_EQ(settings.binding(0).modifiers, 512u);
    EXPECT_EQ(beeps, 0);
}

TEST_F(HotkeyRecorderTest, PlainKeysOtherThanFKeysAreRefusedWithABeep) {
    auto r = recorder(0);
    r->start();
    r->keyDown(key(0, 0, "a"));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(r->state().listening());

    r->keyDown(key(96, 0, "F5"));
    EXPECT_FALSE(r->state().listening());
    EXPECT_EQ(settings.binding(0), (KeyBinding{HotkeyKind::combo, 0, 96, 0, "F5"}));
}

TEST_F(HotkeyRecorderTest, CommandShiftKIsStoredWithClassicModifiers) {
    auto r = recorder(0);
    r->start();
    r->keyDown(key(40, MacFlags::command | MacFlags::shift, "k"));
    EXPECT_EQ(settings.binding(0), (KeyBinding{HotkeyKind::combo, 0, 40, 768, "K"}));
    EXPECT_EQ(settings.binding(0).display(), QString("⇧⌘K"));
}

TEST_F(HotkeyRecorderTest, AModifierPressedAndReleasedAloneIsAModifierBinding) {
    auto r = recorder(0);
    r->start();
    r->flagsChanged(63, true);
    r->flagsChanged(63, false);
    EXPECT_FALSE(r->state().listening());
    EXPECT_EQ(settings.binding(0), (KeyBinding{HotkeyKind::modifier, 63, 0, 0, {}}));
    EXPECT_EQ(settings.binding(0).display(), "fn");
}

TEST_F(HotkeyRecorderTest, AKeyBetweenModifierPressAndReleaseMakesACombo) {
    auto r = recorder(0);
    r->start();
    r->flagsChanged(61, true);
    r->keyDown(key(49, MacFlags::option, " "));
    EXPECT_EQ(settings.binding(0), (KeyBinding{HotkeyKind::combo, 0, 49, 2048, "Space"}));
    r->start();
    r->flagsChanged(61, true);
    r->keyDown(key(0, 0, "a")); // refused, but the modifier is no longer alone
    r->flagsChanged(61, false);
    EXPECT_TRUE(r->state().listening());
    EXPECT_EQ(settings.binding(0).mode, HotkeyKind::combo);
}

TEST_F(HotkeyRecorderTest, ReleasingADifferentModifierCapturesNothing) {
    auto r = recorder(0);
    r->start();
    r->flagsChanged(61, true);
    r->flagsChanged(58, false);
    EXPECT_TRUE(r->state().listening());
    r->flagsChanged(99, true); // not a modifier key
    r->flagsChanged(99, false);
    EXPECT_TRUE(r->state().listening());
}

TEST_F(HotkeyRecorderTest, TheOtherSlotsKeyIsRefusedAndCaptureEnds) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    settings.setBinding(1, {});
    auto r = recorder(1);
    r->start();
    r->flagsChanged(61, true);
    r->flagsChanged(61, false);
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(r->state().listening());
    EXPECT_FALSE(settings.binding(1).isSet());

    settings.setBinding(0, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    r->start();
    r->keyDown(key(49, MacFlags::option, " "));
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(settings.binding(1).isSet());

    r->commit({HotkeyKind::combo, 0, 49, 2048, "Space"});
    EXPECT_EQ(beeps, 3);
    r->commit({HotkeyKind::combo, 0, 49, 4096, "Space"});
    EXPECT_EQ(settings.binding(1), (KeyBinding{HotkeyKind::combo, 0, 49, 4096, "Space"}));
}

TEST_F(HotkeyRecorderTest, KeysAreIgnoredWhenNotListening) {
    auto r = recorder(0);
    const KeyBinding before = settings.binding(0);
    r->keyDown(key(96, 0, "F5"));
    r->flagsChanged(61, true);
    r->flagsChanged(61, false);
    EXPECT_EQ(settings.binding(0), before);
    EXPECT_EQ(beeps, 0);
}

TEST_F(HotkeyRecorderTest, HidingTheControlOrClosingItsWindowEndsCapture) {
    auto r = recorder(0);
    r->show();
    r->start();
    r->hide();
    EXPECT_FALSE(r->state().listening());

    QWidget window;
    auto* inner = new HotkeyRecorder(0, settings, hotKey, keys, &window);
    window.show();
    inner->start();
    window.close();
    EXPECT_FALSE(inner->state().listening());
}

// The control's looks, written to hotkey-recorder-screenshots/ in the test's working folder.
TEST_F(HotkeyRecorderTest, ScreenshotsOfEveryState) {
    const QString folder = QDir::current().filePath("hotkey-recorder-screenshots");
    QDir().mkpath(folder);
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    settings.setBinding(1, {HotkeyKind::combo, 0, 40, 768, "K"});
    auto set = recorder(1);
    set->show();
    auto shoot = [&](const QString& name) {
        set->adjustSize();
        EXPECT_TRUE(set->grab().save(folder + "/" + name + ".png"));
    };
    shoot("set");
    set->start();
    shoot("listening");
    set->stop();
    settings.setBinding(1, {});
    shoot("unset");
}
