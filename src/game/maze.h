// Maze generation: the random tunnel walker, the goal and the breadth-first distance map.
#pragma once

#include <cstdint>
#include <optional>

#include "game/game_state.h"
#include "game/services.h"
#include "game/window_texts.h"
#include "media/audio.h"

namespace kestrune {

// A cell of the distance search, its coordinates reachable by axis number.
class clsPoint {
public:
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Z = 0;
    int32_t W = 0;

    // Axes 0..3 are X, Y, Z, W; any other index reads 0.
    int32_t Loc(int32_t Index) const;
    // Axes 0..3 store into X, Y, Z, W; any other index is ignored.
    void Loc(int32_t Index, int32_t Value);
};

// The wall value the distance map gives to non-open cells that border reached cells.
inline constexpr int16_t kDistanceSolid = 32767;

// Sets every cell of the interior (4..16 on every axis) to value.
void FillInterior(CellGrid& grid, int16_t value);

// Sets every cell outside 4..16 on some axis to CellBorder and the interior to CellOpen.
void FillTowerBorder(GameState& state);

// Builds a new maze in the interior: the practice maze of DimIndex and Difficulty, or the
// tower floor TowerFloor carved from the start cell of StartPose. Writes GoalPos,
// Difficulty (tower), WallColour and DistanceMap, sets the tower caption and the goal
// readout, and restarts the music. Expects the border to be closed, DimIndex 1..3, a
// Difficulty of at least 0 and, in the tower, a start cell inside the interior.
// A practice maze is the maze of its number (MazeNumber): `number` when given, else a fresh
// one drawn from the clock-seeded generator; the generator is then reset to it.
void MakeMaze(GameState& state, IRandom& random, IMusic& music, IWindowTexts& texts,
              std::optional<int32_t> number = std::nullopt);

// Breadth-first distances from GoalPos: the goal holds 1, an open cell k steps away k + 1,
// unreached open cells 0, and every non-open cell beside a reached cell 32767. Only the
// interior is cleared first, so border values persist from earlier searches.
void MakeDistanceMap(GameState& state);

}  // namespace kestrune
