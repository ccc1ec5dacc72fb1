#pragma once

// Observable state changes only when a value really differs, so observers (and the pages that
// redraw on every signal) hear about each change once. Sets `field` and answers true when the
// value was different: the caller then emits its signal.
template <typename T> bool changeField(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}
