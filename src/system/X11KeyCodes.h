#pragma once

#include <QString>

#include <optional>

// Bindings store macOS virtual key codes and modifier masks; the X11 back end translates its
// keysyms and modifier states to and from them (US-layout positions for letters and symbols).
namespace X11KeyCodes {
// The stored key code of a keysym (letters in either case); empty when the key has none.
std::optional<quint16> macKeyCode(unsigned long keysym);
// The keysym a stored key code stands for; 0 when none (fn, for instance).
unsigned long keysymFor(quint16 macKeyCode);
// Whether the keysym belongs to a modifier or lock key, which the platform reports as a change
// of modifier flags rather than as a key-down.
bool isModifier(unsigned long keysym);
// What the key types without modifiers, or the keysym's name for keys that type nothing.
QString characters(unsigned long keysym);
// Core modifier state (ShiftMask …) to macOS flags, and a classic mask to core modifiers.
quint64 macFlags(unsigned state);
unsigned xModifiers(quint32 carbonMods);
} // namespace X11KeyCodes
