// Keys as Qt reports them: keypad keys turned back into the digits the game maps, and
// main-keyboard keys turned into the names the key bindings use.
#pragma once

#include <Qt>
#include <optional>
#include <string>

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

// The main-keyboard key's name (navigation/key_bindings.h) with Shift, Ctrl and Alt; nothing
// for keypad keys (Num Lock off turns them into arrows that still carry the keypad flag),
// for keys held with Meta and for keys that have no name.
std::optional<std::string> MainKeyName(int key, Qt::KeyboardModifiers modifiers);

}  // namespace kestrune::ui
