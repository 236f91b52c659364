#include "render/smooth_view.h"

#include <cmath>
#include <cstdlib>

#include "game/numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrune {
namespace {

// The walk crosses at most this many boundaries along one axis before giving up.
constexpr int kCrossingLimit = 10;
constexpr int32_t kMissDistance = 20000;

// Nearest integer, ties to even, as the game rounds; the SSE conversion does this in one
// instruction under the default rounding mode, where the library call is far slower.
inline int32_t RoundToInt(double x) {
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(x));
#else
    return ToInt32(x);
#endif
}
inline int32_t RoundToInt(float x) {
#if defined(__SSE2__)
    return _mm_cvtss_si32(_mm_set_ss(x));
#else
    return ToInt32(x);
#endif
}

inline int Sign(int32_t x) {
    return (x > 0) - (x < 0);
}

// Everything about one picture that does not depend on the ray.
struct Frame {
    int32_t e[4];
    int32_t f[4];
    // Added to each distance component when the hit axis carries a step fraction.
    double shift[4];
    // Boundary divisor of axis k before crossing n (n = 1..11), exactly as the walk states it.
    double divisor[4][kCrossingLimit + 2];
    // True where the divisor is the odd integer 2n - 1 and the rounding can be done exactly
    // in integers.
    bool integerAxis[4];
    int eyeCell;
};

// Multipliers for the exact integer quotient x / (2(2n - 1)), for x below 2^26.
struct Reciprocals {
    uint64_t magic[kCrossingLimit + 2];
    constexpr Reciprocals() : magic{} {
        for (int n = 1; n <= kCrossingLimit + 1; ++n) {
            const uint64_t d = 2 * (2 * n - 1);
            magic[n] = ((uint64_t{1} << 32) + d - 1) / d;
        }
    }
};
constexpr Reciprocals kReciprocals;

// The integer path rounds |r| / (2n - 1) as (2|r| + 2n - 1) div (2(2n - 1)): an odd divisor
// never gives a quotient ending in exactly one half, so no tie rule is needed. The
// multiplier is exact while the numerator stays below 2^32 / 38.
constexpr int32_t kIntegerPathLimit = 1 << 24;

Frame MakeFrame(const GameState& state, const ViewState& view) {
    Frame fr{};
    const Matrix4& M = view.SmoothMatrix;
    int eye[4];
    for (int k = 0; k < 4; ++k) {
        if (view.SmoothOffset[k] >= 0) {
            fr.e[k] = 0;
            fr.f[k] = view.SmoothOffset[k];
        } else {
            fr.e[k] = -Sign(M[k][0]);
            fr.f[k] = view.SmoothOffset[k] + 10000;
        }
        fr.shift[k] = fr.f[k] / 5.0 - 10.0 * fr.e[k];
        for (int n = 1; n <= kCrossingLimit + 1; ++n)
            fr.divisor[k][n] = fr.f[k] / 5000.0 + 2 * n - 1;
        // The largest |r| any block of this picture can produce on axis k.
        const int64_t reach = (std::abs(int64_t{M[k][0]}) * 8000 +
                               (std::abs(int64_t{M[k][1]}) + std::abs(int64_t{M[k][2]})) * 6500) /
                                  10000 +
                              1;
        fr.integerAxis[k] = fr.f[k] == 0 && reach < kIntegerPathLimit;
        eye[k] = state.PlayerPos[k] - fr.e[k];
    }
    fr.eyeCell = CellIndex(eye[0], eye[1], eye[2], eye[3]);
    return fr;
}

// Ranks an axis for the next crossing: the larger boundary term wins, the lower axis among
// equals, so the term and the axis share one integer.
inline int32_t CrossingKey(const Frame& fr, int k, int32_t absR, int n) {
    int32_t t;
    if (fr.integerAxis[k]) {
        const uint64_t num = static_cast<uint64_t>(2 * absR + 2 * n - 1);
        t = static_cast<int32_t>((num * kReciprocals.magic[n]) >> 32);
    } else {
        t = RoundToInt(absR / fr.divisor[k][n]);
    }
    return t * 4 + (3 - k);
}

Colour BlockColour(const GameState& state, const Frame& fr, const ViewState& view, int j, int i) {
    const Matrix4& M = view.SmoothMatrix;
    const int32_t a = view.Cos(j) + view.Cos(i) - 12000;
    const int32_t b = view.Sin(j);
    const int32_t v = view.Sin(i);

    int32_t r[4];
    int32_t absR[4];
    int step[4];
    int32_t key[4];
    int32_t nextKey[4];
    int32_t n[4] = {1, 1, 1, 1};
    for (int k = 0; k < 4; ++k) {
        r[k] = (M[k][0] * a - M[k][2] * v - M[k][1] * b) / 10000;
        absR[k] = std::abs(r[k]);
        step[k] = Sign(r[k]) * kAxisStride[k];
        key[k] = CrossingKey(fr, k, absR[k], 1);
        nextKey[k] = CrossingKey(fr, k, absR[k], 2);
    }

    const int16_t* grid = state.MazeSpace.data();
    int cell = fr.eyeCell;
    int16_t last = CellOpen;
    int m;
    for (;;) {
        const int32_t k01 = key[0] > key[1] ? key[0] : key[1];
        const int32_t k23 = key[2] > key[3] ? key[2] : key[3];
        const int32_t best = k01 > k23 ? k01 : k23;
        m = 3 - (best & 3);
        const int32_t nm = ++n[m];
        if (nm > kCrossingLimit) break;
        cell += step[m];
        last = grid[cell];
        if (last != CellOpen) break;
        // The term for the crossing after this one is ready before it is needed.
        key[m] = nextKey[m];
        nextKey[m] = CrossingKey(fr, m, absR[m], nm + 1);
    }

    int32_t D = kMissDistance;
    if (last != CellOpen) {
        const float tau = static_cast<float>((2 * n[m] - 3) * 10000000.0 / r[m]);
        const bool shifted = fr.f[m] != 0;
        int32_t sum = 0;
        for (int k = 0; k < 4; ++k) {
            double x = static_cast<double>(r[k]) * tau / 10000.0;
            if (shifted) x += fr.shift[k];
            sum = RoundToInt(sum + x * x);
        }
        D = RoundToInt(std::sqrt(static_cast<double>(sum)));
    }

    const float q = static_cast<float>(D / 3000.0 + 0.5);
    const int R = state.WallColour[0];
    const int G = state.WallColour[1];
    const int B = state.WallColour[2];
    if (last == CellGoal) {
        return MakeColour(RoundToInt((G + B) / q), RoundToInt((R + B) / q),
                          RoundToInt((R + G) / q));
    }
    return MakeColour(RoundToInt(R / q), RoundToInt(G / q), RoundToInt(B / q));
}

}  // namespace

void ComputeSmoothPicture(const GameState& state, const ViewState& view, SmoothPicture& out) {
    const Frame fr = MakeFrame(state, view);
    for (int j = -kSmoothHalf; j <= kSmoothHalf; ++j)
        for (int i = -kSmoothHalf; i <= kSmoothHalf; ++i)
            out[SmoothBlockIndex(j, i)] = BlockColour(state, fr, view, j, i);
}

void PaintSmoothPicture(const SmoothPicture& picture, const ViewState& view, ICanvas& canvas) {
    const int w = view.BlockWidth;
    const int h = view.BlockHeight;
    for (int j = -kSmoothHalf; j <= kSmoothHalf; ++j) {
        const int x0 = w * j + view.ViewCentreX;
        for (int i = -kSmoothHalf; i <= kSmoothHalf; ++i) {
            const int y0 = h * i + view.ViewCentreY;
            canvas.SetFillColour(picture[SmoothBlockIndex(j, i)]);
            canvas.SetPenColour(canvas.FillColour());
            canvas.Rectangle(x0, y0, x0 + w, y0 + h);
        }
    }
}

void DrawSmooth(const GameState& state, const ViewState& view, ICanvas& canvas) {
    if (!HasSpace(state)) return;
    SmoothPicture picture;
    ComputeSmoothPicture(state, view, picture);
    PaintSmoothPicture(picture, view, canvas);
}

}  // namespace kestrune
