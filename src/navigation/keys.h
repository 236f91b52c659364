// The numeric keypad, mapped onto the fourteen panel buttons.
#pragma once

#include <optional>

namespace kestrune {

struct PanelAction {
    enum class Kind { Rotate, Step };
    Kind kind;
    int index;  // Rot_Click or Ahead_Click index
    bool operator==(const PanelAction&) const = default;
};

// A keypad digit 0..9, pressed with or without a modifier (Shift, Ctrl or Alt).
struct KeypadKey {
    int digit = 0;
    bool modified = false;
    bool operator==(const KeypadKey&) const = default;
};

// Keypad digit 0..9, with or without a modifier (Shift, Ctrl or Alt). Keypad 1 and 3 and
// anything outside 0..9 do nothing.
std::optional<PanelAction> KeypadAction(int digit, bool modified);

}  // namespace kestrune
