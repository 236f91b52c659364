// Browser keys (KeyboardEvent key, code and modifiers) turned into what the desktop's key
// filter makes of Qt's keys: keypad digits, and the key names of navigation/key_bindings.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrune::web {

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool meta = false;
};

struct KeypadPress {
    int digit = 0;
    bool modified = false;  // Shift, Ctrl or Alt held
    bool operator==(const KeypadPress&) const = default;
};

// The keypad ("Numpad0".."Numpad9") while Num Lock is on, with Shift, Ctrl or Alt as the
// modifier; Num Lock off leaves the keypad inert, as on the desktop.
std::optional<KeypadPress> KeypadDigit(std::string_view code, const KeyModifiers& modifiers,
                                       bool numLock);

// The name of a main-keyboard key with its modifiers ("Shift+Up", "Q"), as the key bindings
// read them; nothing for the keypad's keys (with Num Lock off they report arrows), keys held
// with Meta and keys that have no name. A letter is the one the keyboard layout gives, else
// the one at its place on the keyboard.
std::optional<std::string> MainKeyName(std::string_view key, std::string_view code,
                                       const KeyModifiers& modifiers);

}  // namespace kestrune::web
