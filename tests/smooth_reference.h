// A slow, plain ray walk for the smooth view, written step by step as the game describes it.
// The real renderer is tuned for speed; every block it paints must match this one exactly.
#pragma once

#include <cmath>
#include <cstdlib>

#include "game/game_state.h"
#include "game/numbers.h"
#include "render/canvas.h"
#include "render/smooth_view.h"
#include "render/view_state.h"

namespace kestrune::test {

inline int Sign(int32_t x) {
    return (x > 0) - (x < 0);
}

// The colour of block (j, i).
inline Colour ReferenceBlockColour(const GameState& g, const ViewState& view, int j, int i) {
    const Matrix4& M = view.SmoothMatrix;
    int32_t e[4];
    int32_t f[4];
    for (int k = 0; k < 4; ++k) {
        if (view.SmoothOffset[k] >= 0) {
            e[k] = 0;
            f[k] = view.SmoothOffset[k];
        } else {
            e[k] = -Sign(M[k][0]);
            f[k] = view.SmoothOffset[k] + 10000;
        }
    }

    const int32_t a = view.Cos(j) + view.Cos(i) - 12000;
    const int32_t b = view.Sin(j);
    const int32_t v = view.Sin(i);
    int32_t r[4];
    for (int k = 0; k < 4; ++k) r[k] = (M[k][0] * a - M[k][2] * v - M[k][1] * b) / 10000;

    int32_t n[4] = {1, 1, 1, 1};
    int m = 0;
    int16_t last = CellOpen;
    int32_t D = 0;
    bool hit = false;
    for (;;) {
        int32_t t[4];
        for (int k = 0; k < 4; ++k) t[k] = ToInt32(std::abs(r[k]) / (f[k] / 5000.0 + 2 * n[k] - 1));
        m = 0;
        for (int k = 1; k < 4; ++k)
            if (t[k] > t[m]) m = k;
        n[m] += 1;
        if (n[m] > 10) {
            D = 20000;
            break;
        }
        int32_t q[4];
        for (int k = 0; k < 4; ++k) q[k] = g.PlayerPos[k] - e[k] + Sign(r[k]) * (n[k] - 1);
        last = g.MazeSpace[CellIndex(q[0], q[1], q[2], q[3])];
        if (last != CellOpen) {
            hit = true;
            break;
        }
    }
    if (hit) {
        const float tau = static_cast<float>((2 * n[m] - 3) * 10000000.0 / r[m]);
        int32_t sum = 0;
        for (int k = 0; k < 4; ++k) {
            double x = static_cast<double>(r[k]) * tau / 10000.0;
            if (f[m] != 0) x += f[k] / 5.0 - 10.0 * e[k];
            sum = ToInt32(sum + x * x);
        }
        D = ToInt32(std::sqrt(static_cast<double>(sum)));
    }

    const float q = static_cast<float>(D / 3000.0 + 0.5);
    const int R = g.WallColour[0];
    const int G = g.WallColour[1];
    const int B = g.WallColour[2];
    if (last == CellGoal) {
        return MakeColour(ToInt16((G + B) / q), ToInt16((R + B) / q), ToInt16((R + G) / q));
    }
    return MakeColour(ToInt16(R / q), ToInt16(G / q), ToInt16(B / q));
}

inline void ReferenceSmoothPicture(const GameState& g, const ViewState& view, SmoothPicture& out) {
    for (int j = -kSmoothHalf; j <= kSmoothHalf; ++j)
        for (int i = -kSmoothHalf; i <= kSmoothHalf; ++i)
            out[SmoothBlockIndex(j, i)] = ReferenceBlockColour(g, view, j, i);
}

}  // namespace kestrune::test
