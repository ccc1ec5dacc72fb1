#include "platform/X11ErrorTrap.h"
#include "platform/X11KeyWatcher.h"
#include "support/TempSettings.h"
#include "system/HotKey.h"
#include "ui/pages/HotkeyRecorder.h"
#include "xkeys/XKeys.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool …) clash with its names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <vector>

// Real key events from the XTest helper, seen by HotKey through the X server.
namespace {

class HotKeyX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(keys.isOpen()) << "needs an X server: run under tests/fixtures/with-x11.sh";
        QObject::connect(&hotKey, &HotKey::keyPressed,
                         [this](int s) { events << QString("down%1").arg(s); });
        QObject::connect(&hotKey, &HotKey::keyReleased,
                         [this](int s) { events << QString("up%1").arg(s); });
        QObject::connect(&hotKey, &HotKey::pressCancelled,
                         [this](int s) { events << QString("cancel%1").arg(s); });
    }
    void TearDown() override { hotKey.unregister(); }

    // Sends the keys and waits for the expected number of reports; a little longer when none
    // are expected, so that a wrong one would have arrived.
    QStringList press(const QStringList& sequence, int expected) {
        events.clear();
        EXPECT_TRUE(sendKeys(sequence));
        (void)QTest::qWaitFor([&] { return events.size() >= expected; }, 3000);
        QTest::qWait(expected == 0 ? 150 : 30);
        return events;
    }

    TempSettings temp;
    Settings& settings = temp.settings;
    X11KeyWatcher keys;
    HotKey hotKey{settings, keys};
    QStringList events;
};

// A second client on the same server, holding a combination.
class OtherClient {
  public:
    OtherClient() : d(XOpenDisplay(nullptr)) {}
    ~OtherClient() { XCloseDisplay(d); }
    bool grab(KeySym keysym, unsigned modifiers) {
        X11ErrorTrap trap(d, BadAccess);
        for (unsigned lock :
             {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
            XGrabKey(d, XKeysymToKeycode(d, keysym), modifiers | lock, DefaultRootWindow(d), False,
                     GrabModeAsync, GrabModeAsync);
        return !trap.caught();
    }
    void ungrabAll() {
        XUngrabKey(d, AnyKey, AnyModifier, DefaultRootWindow(d));
        XSync(d, False);
    }

  private:
    Display* d;
};

} // namespace

TEST_F(HotKeyX11Test, RightAltReportsDownCancelAndUp) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    ASSERT_TRUE(hotKey.registerKeys());
    EXPECT_EQ(press({"+Alt_R"}, 1), QStringList{"down0"});
    EXPECT_TRUE(hotKey.modDown[0]);
    EXPECT_EQ(press({"Tab"}, 1), QStringList{"cancel0"});
    EXPECT_TRUE(hotKey.modDown[0]) << "the release still ends the press";
    EXPECT_EQ(press({"-Alt_R"}, 1), QStringList{"up0"});
    EXPECT_FALSE(hotKey.modDown[0]);
}

TEST_F(HotKeyX11Test, OtherModifiersAndRepeatsFireNothingExtra) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    ASSERT_TRUE(hotKey.registerKeys());
    // Left Alt is the twin, not the key; a repeated press of a held key is not a new press.
    EXPECT_EQ(press({"Alt_L", "+Alt_R", "+Alt_R", "-Alt_R"}, 2), (QStringList{"down0", "up0"}));
    // Another modifier while the key is held is not a shortcut being typed.
    EXPECT_EQ(press({"+Alt_R", "Shift_L", "-Alt_R"}, 2), (QStringList{"down0", "up0"}));
}

// Open menus and popups grab the keyboard; the dictation key is still seen, and a release made
// while another application holds the keyboard still ends the press.
TEST_F(HotKeyX11Test, AModifierKeyIsSeenWhileAnotherClientGrabsTheKeyboard) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    ASSERT_TRUE(hotKey.registerKeys());
    Display* other = XOpenDisplay(nullptr);
    ASSERT_EQ(XGrabKeyboard(other, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync,
                            CurrentTime),
              GrabSuccess);
    XSync(other, False);
    EXPECT_EQ(press({"+Alt_R"}, 1), QStringList{"down0"});
    XUngrabKeyboard(other, CurrentTime);
    XSync(other, False);
    EXPECT_EQ(press({"Tab"}, 1), QStringList{"cancel0"});
    XGrabKeyboard(other, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync,
                  CurrentTime);
    XSync(other, False);
    EXPECT_EQ(press({"-Alt_R"}, 1), QStringList{"up0"});
    XCloseDisplay(other);
}

TEST_F(HotKeyX11Test, OwnSyntheticKeysAreNotReported) {
    settings.setBinding(0, {HotkeyKind::modifier, 59, 0, 0, {}});
    ASSERT_TRUE(hotKey.registerKeys());
    keys.skipOwnKey(keys.keycodeFor(XK_Control_L));
    EXPECT_EQ(press({"Control_L", "Control_L"}, 2), (QStringList{"down0", "up0"}))
        << "only the second press is the user's";
}

TEST_F(HotKeyX11Test, CombosFireDownAndUpAndAreReleasedOnUnregister) {
    settings.setBinding(0, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    settings.setBinding(1, {HotkeyKind::combo, 0, 96, 4096, "F5"});
    ASSERT_TRUE(hotKey.registerKeys());
    EXPECT_EQ(press({"+Alt_L", "+space", "+space", "-space", "-Alt_L"}, 2),
              (QStringList{"down0", "up0"}));
    EXPECT_EQ(press({"+Control_L", "F5", "-Control_L"}, 2), (QStringList{"down1", "up1"}));
    // With lock keys on, the combination is still the same key.
    EXPECT_EQ(press({"Num_Lock", "+Alt_L", "space", "-Alt_L", "Num_Lock"}, 2),
              (QStringList{"down0", "up0"}));

    hotKey.unregister();
    OtherClient other;
    EXPECT_TRUE(other.grab(XK_space, Mod1Mask)) << "unregister released every grab";
    EXPECT_EQ(press({"+Alt_L", "space", "-Alt_L"}, 0), QStringList{});
}

// While a combo is held its grab is active; the modifier-only key of the other slot must still be
// seen, or its release is lost and its next press ignored.
TEST_F(HotKeyX11Test, AModifierKeyReleasedWhileAComboIsHeldStillReportsUp) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    settings.setBinding(1, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    ASSERT_TRUE(hotKey.registerKeys());
    // Both batches are sent before the event loop runs, so the grabbed press and the later
    // release wait on two connections at once and must still come out in the order typed.
    ASSERT_TRUE(sendKeys({"+Alt_R", "+space"}));
    ASSERT_TRUE(sendKeys({"-Alt_R"}));
    EXPECT_EQ(press({"-space"}, 5), (QStringList{"down0", "cancel0", "down1", "up0", "up1"}));
    EXPECT_EQ(press({"+Alt_R", "-Alt_R"}, 2), (QStringList{"down0", "up0"}));
}

TEST_F(HotKeyX11Test, AComboAnotherClientHoldsIsRefusedForTheDictationKeyOnly) {
    OtherClient other;
    ASSERT_TRUE(other.grab(XK_space, Mod1Mask));
    settings.setBinding(0, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    settings.setBinding(1, {HotkeyKind::modifier, 61, 0, 0, {}});
    EXPECT_FALSE(hotKey.registerKeys());
    EXPECT_EQ(press({"+Alt_R", "-Alt_R"}, 2), (QStringList{"down1", "up1"}))
        << "the other key still works";

    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    settings.setBinding(1, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    EXPECT_TRUE(hotKey.registerKeys());

    other.ungrabAll();
    settings.setBinding(0, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    settings.setBinding(1, {});
    EXPECT_TRUE(hotKey.registerKeys());
}

// Moves a keysym to another keycode, as a new keyboard layout would.
class KeyMove {
  public:
    KeyMove(KeySym keysym, KeyCode to)
        : d(XOpenDisplay(nullptr)), from(XKeysymToKeycode(d, keysym)), to(to) {
        saved = XGetKeyboardMapping(d, from, 1, &perCode);
        std::vector<KeySym> none(perCode, NoSymbol);
        XChangeKeyboardMapping(d, from, perCode, none.data(), 1);
        XChangeKeyboardMapping(d, to, perCode, saved, 1);
        XSync(d, False);
    }
    ~KeyMove() {
        std::vector<KeySym> none(perCode, NoSymbol);
        XChangeKeyboardMapping(d, to, perCode, none.data(), 1);
        XChangeKeyboardMapping(d, from, perCode, saved, 1);
        XFree(saved);
        XCloseDisplay(d);
    }

  private:
    Display* d;
    KeyCode from, to;
    int perCode = 0;
    KeySym* saved = nullptr;
};

TEST_F(HotKeyX11Test, ACombosKeyMovedByAMappingChangeIsGrabbedAgain) {
    settings.setBinding(0, {HotkeyKind::combo, 0, 96, 2048, "F5"});
    ASSERT_TRUE(hotKey.registerKeys());
    const int before = keys.keycodeFor(XK_F5);
    {
        KeyMove move(XK_F5, 250);
        ASSERT_TRUE(QTest::qWaitFor([&] { return keys.keycodeFor(XK_F5) == 250; }, 3000));
        EXPECT_NE(before, 250);
        EXPECT_EQ(press({"+Alt_L", "F5", "-Alt_L"}, 2), (QStringList{"down0", "up0"}));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return keys.keycodeFor(XK_F5) == before; }, 3000));
}

// The server reports a mapping change whenever typing moves from one keyboard to another, so
// one can come while a key is held; its release must still end the press.
TEST_F(HotKeyX11Test, KeysHeldAcrossAMappingChangeStillReportTheirRelease) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    settings.setBinding(1, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    ASSERT_TRUE(hotKey.registerKeys());
    const int f5 = keys.keycodeFor(XK_F5);
    auto changeMapping = [&] {
        {
            KeyMove move(XK_F5, 250);
            ASSERT_TRUE(QTest::qWaitFor([&] { return keys.keycodeFor(XK_F5) == 250; }, 3000));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return keys.keycodeFor(XK_F5) == f5; }, 3000));
    };

    EXPECT_EQ(press({"+Alt_R"}, 1), QStringList{"down0"});
    changeMapping();
    EXPECT_EQ(press({"-Alt_R"}, 1), QStringList{"up0"});

    EXPECT_EQ(press({"+Alt_L", "+space"}, 1), QStringList{"down1"});
    changeMapping();
    EXPECT_EQ(press({"-space", "-Alt_L"}, 1), QStringList{"up1"});
    EXPECT_EQ(press({"+Alt_L", "space", "-Alt_L"}, 2), (QStringList{"down1", "up1"}))
        << "grabbed again";
}

// Moves Num Lock to another modifier bit, as some keyboard setups do.
class NumLockMove {
  public:
    NumLockMove() : d(XOpenDisplay(nullptr)), saved(XGetModifierMapping(d)) {
        const KeyCode numLock = XKeysymToKeycode(d, XK_Num_Lock);
        XModifierKeymap* map = XGetModifierMapping(d);
        map = XDeleteModifiermapEntry(map, numLock, Mod2MapIndex);
        map = XInsertModifiermapEntry(map, numLock, Mod3MapIndex);
        XSetModifierMapping(d, map);
        XFreeModifiermap(map);
        XSync(d, False);
    }
    ~NumLockMove() {
        XSetModifierMapping(d, saved);
        XFreeModifiermap(saved);
        XCloseDisplay(d);
    }

  private:
    Display* d;
    XModifierKeymap* saved;
};

TEST_F(HotKeyX11Test, GrabsMadeWithTheOldNumLockBitAreReleasedWhenItMoves) {
    settings.setBinding(0, {HotkeyKind::combo, 0, 49, 2048, "Space"});
    ASSERT_TRUE(hotKey.registerKeys());
    OtherClient other;
    {
        NumLockMove move;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                if (other.grab(XK_space, Mod1Mask | Mod2Mask))
                    return true;
                other.ungrabAll();
                return false;
            },
            3000))
            << "Alt+Space with the old Num Lock bit is still held";
        other.ungrabAll();
        EXPECT_EQ(press({"Num_Lock", "+Alt_L", "space", "-Alt_L", "Num_Lock"}, 2),
                  (QStringList{"down0", "up0"}));
    }
}

TEST_F(HotKeyX11Test, ACodeOutsideTheModifierTableRegistersNothing) {
    settings.setBinding(0, {HotkeyKind::modifier, 49, 0, 0, {}});
    EXPECT_TRUE(hotKey.registerKeys());
    EXPECT_EQ(press({"space", "Alt_R"}, 0), QStringList{});
}

TEST_F(HotKeyX11Test, TheRecorderCapturesRealKeysAndSuspendsTheGlobalOnes) {
    settings.setBinding(0, {HotkeyKind::modifier, 61, 0, 0, {}});
    settings.setBinding(1, {});
    ASSERT_TRUE(hotKey.registerKeys());
    HotkeyRecorder recorder(1, settings, hotKey, keys);
    int beeps = 0;
    recorder.beep = [&] { ++beeps; };
    recorder.show();
    recorder.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&recorder));

    recorder.start();
    EXPECT_EQ(press({"+Alt_R", "-Alt_R"}, 0), QStringList{}) << "global keys are suspended";
    EXPECT_EQ(beeps, 1) << "slot 0 already has Right Alt";
    EXPECT_FALSE(recorder.state().listening());
    EXPECT_EQ(press({"+Alt_R", "-Alt_R"}, 2), (QStringList{"down0", "up0"})) << "keys are back";

    recorder.start();
    sendKeys({"a"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return beeps == 2; }, 3000));
    EXPECT_TRUE(recorder.state().listening());
    sendKeys({"+Shift_L", "Escape", "-Shift_L"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recorder.state().listening(); }, 3000));
    EXPECT_EQ(settings.binding(1).keyCode, 53u);
    EXPECT_EQ(settings.binding(1).modifiers, 512u);

    recorder.start();
    sendKeys({"+Super_L", "+Shift_L", "k", "-Shift_L", "-Super_L"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recorder.state().listening(); }, 3000));
    EXPECT_EQ(settings.binding(1), (KeyBinding{HotkeyKind::combo, 0, 40, 768, "K"}));

    recorder.start();
    sendKeys({"Control_R"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recorder.state().listening(); }, 3000));
    EXPECT_EQ(settings.binding(1), (KeyBinding{HotkeyKind::modifier, 62, 0, 0, {}}));
}
