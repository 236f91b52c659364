// Keypad keys as Qt reports them, turned back into the digits the game maps.
#pragma once

#include <Qt>
#include <optional>

namespace kestrune::ui {

struct KeypadPress {
    int digit = 0;
    bool modified = false;  // Shift, Ctrl or Alt held
    bool operator==(const KeypadPress&) const = default;
};

// Keypad digits carry Qt::KeypadModifier. Under X11, Shift with Num Lock on turns them into
// navigation keys (End, Down, ...) that still carry the keypad flag: those are mapped back
// only while Shift is held and Num Lock is on (when the platform tells `numLockOn`), so
// keypad keys with Num Lock off stay inert.
std::optional<KeypadPress> KeypadDigit(int key, Qt::KeyboardModifiers modifiers,
                                       std::optional<bool> numLockOn = std::nullopt);

}  // namespace kestrune::ui
