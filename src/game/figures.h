// The figure spaces without a goal: the empty box "Blank" and the box with a ball "Circle".
#pragma once

#include <string>

#include "game/game_state.h"
#include "game/window_texts.h"
#include "media/audio.h"

namespace kestrune {

// Writes the figure "Blank" or "Circle" for DimIndex 1..3 (2, 3 or 4 dimensions) into the
// interior, makes the walls green, sets the caption and the goal readout "ありません" and
// restarts the music. The 4-dimensional "Blank" also rebuilds the border. GoalPos,
// DistanceMap, Difficulty and the pose are left as they were. Any other name changes no
// cell and no caption.
void MakeFigure(const std::string& name, GameState& state, IMusic& music, IWindowTexts& texts);

}  // namespace kestrune
