// Turning and stepping as values: the new orientation or target cell is computed first,
// then applied by the caller.
#pragma once

#include <string>

#include "game/game_state.h"

namespace kestrune {

using Matrix4i = std::array<std::array<int, 4>, 4>;

// Table entry k as a matrix: row r says how new player axis r is made from the old axes.
Matrix4i DecodeRotation(const std::string& entry);

// The orientation after applying rotation D in the player's own frame:
// N[a][p] = sum_j M[a][j] * D[p][j].
Matrix4 RotatedOrientation(const Matrix4& m, const Matrix4i& d);

// One in-between picture of a turn from O' to N' (both scaled by 10000) at angle t radians:
// elements that change become O'cos t (where N' is 0) or N'sin t; the rest stay.
Matrix4 TurnFrame(const Matrix4& from, const Matrix4& to, double t);

// Angle of in-between picture s of a turn drawn in 2^level pictures.
double TurnAngle(int s, int level);

// The step sign: -1 for the back button (index 1), +1 for anything else.
int StepSign(int index);

// The cell one step forward (sign +1) or back (sign -1) along the forward axis.
Vec4 StepTarget(const Vec4& pos, const Matrix4& m, int sign);

// SmoothOffset of in-between picture `step` (1 .. 2^level - 1) of a step with the given sign.
Vec4 StepFrameOffset(const Matrix4& m, int sign, int step, int level);

// A signed permutation matrix: entries -1, 0, 1, one non-zero per row and column.
bool IsSignedPermutation(const Matrix4& m);

}  // namespace kestrune
