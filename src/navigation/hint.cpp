#include "navigation/hint.h"

#include <climits>
#include <cmath>

namespace kestrune {

GoalDirection ChooseGoalDirection(const GameState& state) {
    GoalDirection dir;
    int best = INT_MAX;
    for (int b = 0; b < 4; ++b)
        for (int t = -1; t <= 1; t += 2) {
            Vec4 q = state.PlayerPos;
            q[b] += t;
            const int value = state.DistanceMap[CellIndex(q)];
            if (value < best) {
                best = value;
                dir = {b, t, value};
            }
        }
    return dir;
}

bool FacesGoalDirection(const GameState& state, const GoalDirection& dir) {
    Vec4 q{};
    for (int k = 0; k < 4; ++k) q[k] = state.PlayerPos[k] + state.Orientation[k][0];
    return state.DistanceMap[CellIndex(q)] == dir.best;
}

bool FacesAway(const Matrix4& m, const GoalDirection& dir) {
    return m[dir.axis][0] == -dir.sign;
}

HintTurn NextHintTurn(const Matrix4& m, const GoalDirection& dir, double r) {
    const int b = dir.axis, t = dir.sign;
    if (FacesAway(m, dir)) return {2 * static_cast<int>(std::floor(3 * r)) + 1, true};
    if (m[b][1] != 0) return {m[b][1] * t == 1 ? 0 : 1, false};
    if (m[b][2] != 0) return {m[b][2] * t == 1 ? 2 : 3, false};
    return {m[b][3] * t == 1 ? 4 : 5, false};
}

}  // namespace kestrune
