#pragma once

// What a global key is: a modifier pressed alone, an ordinary key with modifiers, or no key.
enum class HotkeyKind { none, modifier, combo };
