// The commands whose effect is the game's own, the same from either shell: panel buttons,
// keypad keys, the maze menu's items, the animation and the map. A shell runs the rest (its
// windows, the strip's slide, the language, a resize) itself.
#pragma once

#include "game/game_state.h"
#include "navigation/game_window_logic.h"

namespace kestrune::forms {

// Runs a command of the windows' description; false when the command is not one of these.
// Arguments out of range and items of the practice menus in the tower do nothing: the page
// can send anything.
bool RunGameCommand(GameWindowLogic& logic, const GameState& state, int code, int argument);

}  // namespace kestrune::forms
