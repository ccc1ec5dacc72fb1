#include "core/Clock.h"
#include "core/Scheduler.h"
#include "delivery/Focus.h"
#include "delivery/Overlay.h"
#include "delivery/OverlayPanel.h"
#include "delivery/Paste.h"
#include "delivery/X11EscapeWatch.h"
#include "platform/X11KeyWatcher.h"
#include "support/FocusApp.h"
#include "platform/X11Keyboard.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool …) clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>

// Focus detection and paste against real applications on a private X server with an
// accessibility bus (tests/fixtures/with-x11.sh).
namespace {

class XClient {
  public:
    XClient() : d(XOpenDisplay(nullptr)) {}
    ~XClient() { XCloseDisplay(d); }
    Window findByInstance(const char* instance) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count && !found; ++i) {
            XClassHint hint{nullptr, nullptr};
            if (XGetClassHint(d, children[i], &hint)) {
                if (qstrcmp(hint.res_name, instance) == 0)
                    found = children[i];
                XFree(hint.res_name);
                XFree(hint.res_class);
            }
        }
        if (children)
            XFree(children);
        return found;
    }
    void focus(Window w) {
        XSetInputFocus(d, w, RevertToNone, CurrentTime);
        XSync(d, False);
    }
    void key(KeySym keysym, bool press) {
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, keysym), press, CurrentTime);
        XSync(d, False);
    }
    // A 32-bit property's first value, or 0 when the window has none. Xlib hands such values
    // over as longs, sign-extended.
    quint32 cardinal(Window w, const char* property) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        quint32 value = 0;
        if (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 1, False, AnyPropertyType,
                               &type, &format, &count, &after, &data) == Success &&
            data && format == 32 && count == 1)
            value = quint32(*reinterpret_cast<long*>(data));
        if (data)
            XFree(data);
        return value;
    }
    Display* d;
};

// Pasting wired as the application wires it.
struct Pasting {
    Pasting(Keyboard& keyboard, X11Display& display) : paste(keys, keyboard, display) {}
    X11KeyWatcher keys;
    Paste paste;
};

// The X connection, the key injector and the focus listener, as the application makes them.
class DeliveryX11 : public ::testing::Test {
  protected:
    FocusState settledState(FocusState wanted) {
        FocusState state = focus.focusedFieldState();
        (void)QTest::qWaitFor([&] { return (state = focus.focusedFieldState()) == wanted; }, 5000);
        return state;
    }

    X11Display display;
    X11Keyboard keyboard{display};
    AtspiFocus accessibility{Clock::system()};
    Focus focus{display, keyboard, accessibility};
};

} // namespace

TEST_F(DeliveryX11, FocusInATextFieldIsEditableOnAButtonNot) {
    focus.prewarmAccessibility();
    FocusApp app;
    ASSERT_TRUE(app.waitFor(QString("ready %1").arg(app.process.processId())));
    ASSERT_TRUE(app.focus("field"));
    EXPECT_EQ(settledState(FocusState::editable), FocusState::editable);
    EXPECT_EQ(focus.frontmostIdentifier(), "focusapp");
    const auto field = accessibility.focusedIn(app.process.processId());
    EXPECT_EQ(field.element.role, "text") << "the answer came from the accessibility bus";
    EXPECT_TRUE(field.element.editable);
    ASSERT_TRUE(app.focus("button"));
    EXPECT_EQ(settledState(FocusState::notEditable), FocusState::notEditable);
    EXPECT_EQ(accessibility.focusedIn(app.process.processId()).element.role, "push button");
    ASSERT_TRUE(app.focus("field"));
    EXPECT_EQ(settledState(FocusState::editable), FocusState::editable);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 10; ++i)
        focus.focusedFieldState();
    std::printf("focusedFieldState() on a text field: %.2f ms per query\n",
                timer.nsecsElapsed() / 1e7);
}

TEST_F(DeliveryX11, OurOwnFieldIsAnsweredWithoutWaitingOnOurselves) {
    focus.prewarmAccessibility();
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* button = new QPushButton("Press", &window);
    button->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // Asking the accessibility bus would wait on ourselves until it timed out: unknown.
    field->setFocus();
    EXPECT_EQ(focus.focusedFieldState(), FocusState::editable);
    button->setFocus();
    EXPECT_EQ(focus.focusedFieldState(), FocusState::notEditable);
}

TEST_F(DeliveryX11, TheTreeSearchStaysBoundedInTablesOfMillionsOfCells) {
    // Time stands still: only the node limits end these searches, however busy the machine.
    ManualScheduler still;
    AtspiFocus bounded(still);
    ASSERT_TRUE(bounded.start());
    FocusApp sheet({"--tables", "1"});
    ASSERT_TRUE(sheet.waitFor(QString("ready %1").arg(sheet.process.processId())));
    ASSERT_TRUE(sheet.focus("field"));
    const auto found = bounded.searchIn(sheet.process.processId());
    EXPECT_EQ(found.lookup, AtspiFocus::Lookup::focused);
    EXPECT_EQ(found.element.role, "text") << "the field after the table";

    FocusApp sheets({"--tables", "5"});
    ASSERT_TRUE(sheets.waitFor(QString("ready %1").arg(sheets.process.processId())));
    ASSERT_TRUE(sheets.focus("field"));
    EXPECT_EQ(bounded.searchIn(sheets.process.processId()).lookup, AtspiFocus::Lookup::noAnswer)
        << "a search cut short must not claim that nothing has focus";
}

TEST_F(DeliveryX11, NoFocusedWindowIsUnknown) {
    XClient x;
    x.focus(None);
    EXPECT_EQ(focus.focusedFieldState(), FocusState::unknown);
    EXPECT_FALSE(focus.frontmostIdentifier().has_value());
}

TEST_F(DeliveryX11, ATerminalIsEditable) {
    QProcess xterm;
    xterm.start("xterm", {"-geometry", "40x5"});
    XClient x;
    Window w = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (w = x.findByInstance("xterm")) != 0; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            x.focus(w);
            return focus.focusedFieldState() == FocusState::editable;
        },
        5000));
    xterm.kill();
    xterm.waitForFinished();
}

TEST_F(DeliveryX11, PastedTextArrivesExactlyAndStaysOnTheClipboard) {
    focus.prewarmAccessibility();
    FocusApp app;
    ASSERT_TRUE(app.waitFor(QString("ready %1").arg(app.process.processId())));
    const QString text = QStringLiteral("héllo wörld");
    Pasting pasting{keyboard, display};
    QList<double> times;
    for (int round = 0; round < 7; ++round) {
        ASSERT_TRUE(app.focus("field"));
        app.send("clear");
        ASSERT_TRUE(app.waitFor("cleared")) << "the paste must not overtake the clearing";
        QElapsedTimer timer;
        timer.start();
        pasting.paste.paste(text);
        ASSERT_TRUE(app.waitFor("text:" + text)) << app.lines.join("\n").toStdString();
        times << timer.nsecsElapsed() / 1e6;
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    std::sort(times.begin(), times.end());
    std::printf("paste() to text in the field: median %.1f ms, min %.1f ms, max %.1f ms\n",
                times[times.size() / 2], times.first(), times.last());
}

TEST_F(DeliveryX11, TerminalsGetControlShiftV) {
    FocusApp plain;
    ASSERT_TRUE(plain.waitFor(QString("ready %1").arg(plain.process.processId())));
    ASSERT_TRUE(plain.focus("field"));
    Pasting pasting{keyboard, display};
    pasting.paste.paste("x");
    EXPECT_TRUE(plain.waitFor("key:Ctrl+V"));

    FocusApp terminal({"-name", "xterm"});
    ASSERT_TRUE(terminal.waitFor(QString("ready %1").arg(terminal.process.processId())));
    ASSERT_TRUE(terminal.focus("field"));
    ASSERT_EQ(focus.focusedFieldState(), FocusState::editable);
    pasting.paste.paste("x");
    EXPECT_TRUE(terminal.waitFor("key:Ctrl+Shift+V")) << terminal.lines.join("\n").toStdString();
}

TEST_F(DeliveryX11, PasteWaitsUntilModifiersAreReleased) {
    FocusApp app;
    ASSERT_TRUE(app.waitFor(QString("ready %1").arg(app.process.processId())));
    ASSERT_TRUE(app.focus("field"));
    XClient x;
    Pasting pasting{keyboard, display};
    x.key(XK_Shift_R, true);
    pasting.paste.paste("typed later");
    QTest::qWait(300);
    EXPECT_FALSE(app.lines.contains("text:typed later")) << "a held Shift would change the key";
    x.key(XK_Shift_R, false);
    EXPECT_TRUE(app.waitFor("text:typed later"));

    // A second paste while the first still waits: the key is typed once, for the newest text.
    app.send("clear");
    ASSERT_TRUE(app.waitFor("cleared"));
    x.key(XK_Shift_R, true);
    pasting.paste.paste("first");
    pasting.paste.paste("second");
    x.key(XK_Shift_R, false);
    EXPECT_TRUE(app.waitFor("text:second"));
    QTest::qWait(200);
    EXPECT_FALSE(app.lines.contains("text:secondsecond")) << app.lines.join("\n").toStdString();
}

TEST_F(DeliveryX11, TheOverlayIsOnEveryWorkspaceTakesNoFocusAndEscapeClosesTheCard) {
    FocusApp app;
    ASSERT_TRUE(app.waitFor(QString("ready %1").arg(app.process.processId())));
    ASSERT_TRUE(app.focus("field"));
    XClient x;
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(x.d, &focused, &revert);

    TempSettings temp;
    Settings& settings = temp.settings;
    Pasting pasting{keyboard, display};
    X11EscapeWatch escape(pasting.keys);
    Overlay overlay({settings, Scheduler::main(), escape, &Paste::copyToClipboard,
                     [this](WId window) { X11Windows::showOnEveryWorkspace(display, window); }});
    overlay.show(OverlayModel::Phase::recording());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(overlay.panel()));
    EXPECT_EQ(x.cardinal(overlay.panel()->winId(), "_NET_WM_DESKTOP"), 0xFFFFFFFFu);
    overlay.show(OverlayModel::Phase::result("not pasted"));
    QTest::qWait(100);
    Window now = 0;
    XGetInputFocus(x.d, &now, &revert);
    EXPECT_EQ(now, focused) << "the overlay took the keyboard focus";
    pasting.paste.paste("still here");
    EXPECT_TRUE(app.waitFor("text:still here"));

    x.key(XK_Escape, true);
    x.key(XK_Escape, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !overlay.isShowing(); }, 3000));
}
