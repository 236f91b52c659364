// The plain view: the walls ahead as flat polygons, painted from the farthest layer inwards.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "render/canvas.h"

namespace kestrune {

// Edge in pixels of a cell's front face in layer L of a view W pixels wide: the size halves
// with every layer, a power-of-two law rather than a division by distance.
float LayerEdge(float W, int L);

// Draws layer L (cells L steps ahead) and then every nearer layer down to the player's own,
// so nearer faces paint over farther ones. D is the farthest layer; cells farther than D + 1
// cells away are left black.
void DrawLayer(int16_t L, int16_t D, const GameState& state, ICanvas& canvas);

// The plain redraw's picture: clears the surface and draws the layers from `depth` inwards.
void DrawPlainView(const GameState& state, ICanvas& canvas, int16_t depth = 4);

}  // namespace kestrune
