// Browser keys (KeyboardEvent.code) turned into the game's key commands.
#pragma once

#include <optional>
#include <string_view>

namespace kestrune::web {

struct KeyCommand {
    int command = 0;  // web/commands.h
    int argument = 0;
    bool operator==(const KeyCommand&) const = default;
};

// The keypad ("Numpad0".."Numpad9") while Num Lock is on, with Shift, Ctrl or Alt as the
// modifier; Num Lock off leaves the keypad inert, as on the desktop. The second layout on
// the main keyboard (arrows, Page Up/Down, Q/E, with Shift for the "S" actions) drives the
// same actions. F5 and F6 are the restart shortcuts. Anything else is not the game's.
std::optional<KeyCommand> KeyCommandFor(std::string_view code, bool shift, bool ctrl, bool alt,
                                        bool numLock);

}  // namespace kestrune::web
