#pragma once

#include <QString>

// Whether the text about to be pasted has somewhere to go.
enum class FocusState {
    editable,    // the focus accepts typed text (or the frontmost application is a terminal)
    notEditable, // the frontmost application says nothing, or something that isn't text, has focus
    unknown,     // the question can't be answered
};

QString focusStateName(FocusState state);
