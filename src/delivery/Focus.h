#pragma once

#include "delivery/FocusState.h"
#include "platform/AtspiFocus.h"
#include "platform/X11Windows.h"

#include <functional>
#include <optional>

class Keyboard;
class X11Display;

// Whether the focused element of the frontmost application takes text, asked of the X server
// and the accessibility bus. Without a keyboard to type with nothing can be pasted, so there is
// nothing to ask. GUI thread.
class Focus {
  public:
    Focus(X11Display& display, const Keyboard& keyboard, AtspiFocus& accessibility);

    // Blocks while that application answers.
    FocusState focusedFieldState();
    // Makes sure the focus listener runs before the question is asked at the end of a recording.
    void prewarmAccessibility();

    // The frontmost application's identifier (its WM_CLASS class), for logs and the history.
    std::optional<QString> frontmostIdentifier() const;

    // Terminals take pasted text whatever their accessibility tree says; matched exactly on
    // either WM_CLASS name.
    static bool isTerminal(const X11Window& window);

    // The decision itself, in its order: trust, the frontmost application, terminals, then what
    // the accessibility bus says of the focused element (asked only when needed).
    static FocusState decide(bool trusted, const std::optional<X11Window>& frontmost,
                             const std::function<AtspiFocus::Result(qint64 pid)>& focusedIn);

  private:
    X11Display& display;
    const Keyboard& keyboard;
    AtspiFocus& accessibility;
};
