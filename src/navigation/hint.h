// The hint: which neighbour lies on a shortest path to the goal, and how to face it.
#pragma once

#include <optional>

#include "game/game_state.h"

namespace kestrune {

struct GoalDirection {
    int axis = 0;  // world axis b
    int sign = 0;  // t: -1 or +1
    int best = 0;  // its DistanceMap value
};

// The neighbour with the smallest DistanceMap value, first in the order
// x-, x+, y-, y+, z-, z+, w-, w+ among equals.
GoalDirection ChooseGoalDirection(const GameState& state);

// True when the cell ahead already has the chosen value.
bool FacesGoalDirection(const GameState& state, const GoalDirection& dir);

// The next turn towards the chosen direction: either one Rot_Click index, or, when the
// player faces exactly away, the half turn (the same index twice) chosen from a draw r.
struct HintTurn {
    int index = 0;
    bool twice = false;
};
HintTurn NextHintTurn(const Matrix4& m, const GoalDirection& dir, double r);

// Whether the hint needs a random draw for its next turn (facing exactly away).
bool FacesAway(const Matrix4& m, const GoalDirection& dir);

}  // namespace kestrune
