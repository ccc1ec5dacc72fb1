#include "delivery/Focus.h"

#include <gtest/gtest.h>

namespace {

X11Window app(const QString& instance, const QString& className, qint64 pid = 42) {
    return {7, instance, className, pid};
}

AtspiFocus::Result focused(const QString& role, bool editable = false, bool ancestor = false) {
    return {AtspiFocus::Lookup::focused, {42, role, editable, ancestor}};
}

// Answers with `answer` and counts the questions.
struct Bus {
    AtspiFocus::Result answer;
    int asked = 0;
    std::function<AtspiFocus::Result(qint64)> ask() {
        return [this](qint64) {
            ++asked;
            return answer;
        };
    }
};

} // namespace

TEST(Focus, TrustAndAFrontmostApplicationComeFirst) {
    Bus bus{focused("text")};
    EXPECT_EQ(Focus::decide(false, app("xterm", "XTerm"), bus.ask()), FocusState::unknown)
        << "not trusted: unknown even for a terminal";
    EXPECT_EQ(Focus::decide(true, std::nullopt, bus.ask()), FocusState::unknown);
    EXPECT_EQ(bus.asked, 0);
}

TEST(Focus, TerminalsAreEditableWithoutAskingTheBus) {
    Bus bus{{AtspiFocus::Lookup::nothingFocused, {}}};
    for (const auto& w : {app("xterm", "XTerm"), app("gnome-terminal-server", "Gnome-terminal"),
                          app("Alacritty", "Alacritty"), app("kitty", "kitty")})
        EXPECT_EQ(Focus::decide(true, w, bus.ask()), FocusState::editable)
            << w.instance.toStdString();
    EXPECT_EQ(bus.asked, 0);
    EXPECT_EQ(Focus::decide(true, app("xtermish", "Xterminal"), bus.ask()), FocusState::notEditable)
        << "matched exactly, never by part of the name";
}

TEST(Focus, TheFocusedElementDecides) {
    Bus bus;
    const auto window = app("focusapp", "FocusApp");
    bus.answer = focused("text");
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable);
    bus.answer = focused("password text");
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable);
    bus.answer = focused("canvas", true);
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable) << "editable state";
    bus.answer = focused("paragraph", false, true);
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::editable) << "editable ancestor";
    bus.answer = focused("push button");
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::notEditable);
    bus.answer = {AtspiFocus::Lookup::nothingFocused, {}};
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::notEditable);
    bus.answer = {AtspiFocus::Lookup::noAnswer, {}};
    EXPECT_EQ(Focus::decide(true, window, bus.ask()), FocusState::unknown);
}

TEST(Focus, StatesHaveTheirNames) {
    EXPECT_EQ(focusStateName(FocusState::editable), "editable");
    EXPECT_EQ(focusStateName(FocusState::notEditable), "notEditable");
    EXPECT_EQ(focusStateName(FocusState::unknown), "unknown");
}
