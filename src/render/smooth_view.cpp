#include "render/smooth_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "game/numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KESTRUNE_AVX2_WALK 1
#include <immintrin.h>
#endif

namespace kestrune {
namespace {

// The walk crosses at most this many boundaries along one axis before giving up.
constexpr int kCrossingLimit = 10;
constexpr int32_t kMissDistance = 20000;
// Rays of one column, padded to whole groups of eight for the vector walk.
constexpr int kColumnRays = 80;

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
    // Boundary divisor of axis k before crossing n (n = 1..11), exactly as the walk states
    // it; row-major so the vector walk can look entries up by 12 k + n.
    double divisor[4][kCrossingLimit + 2];
    // No step fraction on any axis: every divisor is the odd integer 2n - 1.
    bool oddDivisors;
    // A bound on |r| over every ray of the picture.
    int64_t reach;
    int eyeCell;
};

Frame MakeFrame(const GameState& state, const ViewState& view) {
    Frame fr{};
    const Matrix4& M = view.SmoothMatrix;
    int eye[4];
    fr.oddDivisors = true;
    for (int k = 0; k < 4; ++k) {
        if (view.SmoothOffset[k] >= 0) {
            fr.e[k] = 0;
            fr.f[k] = view.SmoothOffset[k];
        } else {
            fr.e[k] = -Sign(M[k][0]);
            fr.f[k] = view.SmoothOffset[k] + 10000;
        }
        fr.oddDivisors = fr.oddDivisors && fr.f[k] == 0;
        fr.shift[k] = fr.f[k] / 5.0 - 10.0 * fr.e[k];
        for (int n = 0; n <= kCrossingLimit + 1; ++n)
            fr.divisor[k][n] = fr.f[k] / 5000.0 + 2 * n - 1;
        // |a| <= 8000 and |b|, |v| <= 6428 for every block.
        const int64_t reach = (std::abs(int64_t{M[k][0]}) * 8000 +
                               (std::abs(int64_t{M[k][1]}) + std::abs(int64_t{M[k][2]})) * 6500) /
                                  10000 +
                              1;
        if (reach > fr.reach) fr.reach = reach;
        eye[k] = state.PlayerPos[k] - fr.e[k];
    }
    fr.eyeCell = CellIndex(eye[0], eye[1], eye[2], eye[3]);
    return fr;
}

// Ray directions of block column j, one row per block from the top; the padding rows repeat
// the last ray.
struct ColumnRays {
    alignas(32) int32_t r[4][kColumnRays];
};

void CastColumn(const ViewState& view, int j, ColumnRays& rays) {
    const Matrix4& M = view.SmoothMatrix;
    const int32_t cosJ = view.Cos(j);
    const int32_t b = view.Sin(j);
    for (int row = 0; row < kSmoothSide; ++row) {
        const int i = row - kSmoothHalf;
        const int32_t a = cosJ + view.Cos(i) - 12000;
        const int32_t v = view.Sin(i);
        for (int k = 0; k < 4; ++k)
            rays.r[k][row] = (M[k][0] * a - M[k][2] * v - M[k][1] * b) / 10000;
    }
    for (int row = kSmoothSide; row < kColumnRays; ++row)
        for (int k = 0; k < 4; ++k) rays.r[k][row] = rays.r[k][kSmoothSide - 1];
}

// Where each ray of a column stopped: the axis and crossing count of the last boundary, and
// the code of the cell behind it (0 when the ray gave up).
struct ColumnEnds {
    alignas(32) int32_t axis[kColumnRays];
    alignas(32) int32_t n[kColumnRays];
    alignas(32) int32_t code[kColumnRays];
};

// ---- The portable walk ----------------------------------------------------------------

// Multipliers for the exact quotient x / (2(2n - 1)) of x below 2^26.
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
constexpr int64_t kMagicReach = int64_t{1} << 24;

// Ranks an axis for the next crossing: the larger boundary term wins, the lower axis among
// equals, so the term and the axis share one integer.
//
// With an odd divisor d = 2n - 1 the term round(|r| / d) is (2|r| + d) div 2d: the quotient
// never ends in exactly one half, so no tie rule is needed and integers give it exactly.
inline int32_t CrossingKey(const Frame& fr, bool oddDivisors, int k, int32_t absR, int n) {
    int32_t t;
    if (oddDivisors) {
        const uint64_t num = static_cast<uint64_t>(2 * absR + 2 * n - 1);
        t = static_cast<int32_t>((num * kReciprocals.magic[n]) >> 32);
    } else {
        t = RoundToInt(absR / fr.divisor[k][n]);
    }
    return t * 4 + (3 - k);
}

void WalkColumnPortable(const Frame& fr, const int16_t* grid, const ColumnRays& rays,
                        ColumnEnds& ends) {
    const bool oddDivisors = fr.oddDivisors && fr.reach < kMagicReach;
    for (int row = 0; row < kSmoothSide; ++row) {
        int32_t absR[4];
        int step[4];
        int32_t key[4];
        int32_t nextKey[4];
        int32_t n[4] = {1, 1, 1, 1};
        for (int k = 0; k < 4; ++k) {
            const int32_t r = rays.r[k][row];
            absR[k] = std::abs(r);
            step[k] = Sign(r) * kAxisStride[k];
            key[k] = CrossingKey(fr, oddDivisors, k, absR[k], 1);
            nextKey[k] = CrossingKey(fr, oddDivisors, k, absR[k], 2);
        }
        int cell = fr.eyeCell;
        int16_t code = CellOpen;
        int m;
        for (;;) {
            const int32_t k01 = key[0] > key[1] ? key[0] : key[1];
            const int32_t k23 = key[2] > key[3] ? key[2] : key[3];
            m = 3 - ((k01 > k23 ? k01 : k23) & 3);
            const int32_t nm = ++n[m];
            if (nm > kCrossingLimit) break;
            cell += step[m];
            code = grid[cell];
            if (code != CellOpen) break;
            // The term for the crossing after this one is ready before it is needed.
            key[m] = nextKey[m];
            nextKey[m] = CrossingKey(fr, oddDivisors, m, absR[m], nm + 1);
        }
        ends.axis[row] = m;
        ends.n[row] = n[m];
        ends.code[row] = code;
    }
}

// ---- The vector walk: eight rays of a column side by side -------------------------------

#if defined(KESTRUNE_AVX2_WALK)

// A lane's key for one axis packs the boundary term, the axis and its crossing counter:
// (t << 6) | ((3 - k) << 4) | n. The largest key is the next crossing, the lower axis among
// equal terms; the counter rides along below and never decides.
constexpr int kTermShift = 6;
constexpr int kAxisBits = 0x30;
constexpr int kCounterBits = 0x0f;

// With odd divisors d = 2n - 1 the term is (2|r| + d) / 2d truncated: that quotient lies at
// least 1/42 from an integer, and single precision with a rounded reciprocal errs by less
// than 2^-7 while |r| < 2^16.
struct alignas(32) TermReciprocals {
    float lo[8];  // n = 0..7
    float hi[8];  // n = 8..15
    TermReciprocals() : lo{}, hi{} {
        for (int n = 1; n < 8; ++n) lo[n] = 1.0f / (2 * (2 * n - 1));
        for (int n = 8; n < 16; ++n) hi[n - 8] = 1.0f / (2 * (2 * n - 1));
    }
};
constexpr int64_t kVectorReach = int64_t{1} << 16;

#define KESTRUNE_AVX2 __attribute__((target("avx2"), always_inline)) inline

KESTRUNE_AVX2 __m256i OddDivisorTerm(const TermReciprocals& rcp, __m256i absR, __m256i n) {
    const __m256 lo = _mm256_permutevar8x32_ps(_mm256_load_ps(rcp.lo), n);
    const __m256 hi = _mm256_permutevar8x32_ps(_mm256_load_ps(rcp.hi), n);
    const __m256 inverse =
        _mm256_blendv_ps(lo, hi, _mm256_castsi256_ps(_mm256_cmpgt_epi32(n, _mm256_set1_epi32(7))));
    const __m256i x =
        _mm256_sub_epi32(_mm256_add_epi32(_mm256_add_epi32(absR, absR), _mm256_add_epi32(n, n)),
                         _mm256_set1_epi32(1));
    return _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_cvtepi32_ps(x), inverse));
}

// The general term round(|r| / divisor), in double precision exactly as the portable walk.
KESTRUNE_AVX2 __m256i DivisorTerm(const Frame& fr, __m256i absR, __m256i axis, __m256i n) {
    n = _mm256_min_epi32(n, _mm256_set1_epi32(kCrossingLimit + 1));
    const __m256i index =
        _mm256_add_epi32(_mm256_mullo_epi32(axis, _mm256_set1_epi32(kCrossingLimit + 2)), n);
    const double* table = &fr.divisor[0][0];
    const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi32(-1));
    const __m256d dLo =
        _mm256_mask_i32gather_pd(_mm256_setzero_pd(), table, _mm256_castsi256_si128(index), all, 8);
    const __m256d dHi = _mm256_mask_i32gather_pd(_mm256_setzero_pd(), table,
                                                 _mm256_extracti128_si256(index, 1), all, 8);
    const __m256d rLo = _mm256_cvtepi32_pd(_mm256_castsi256_si128(absR));
    const __m256d rHi = _mm256_cvtepi32_pd(_mm256_extracti128_si256(absR, 1));
    const __m128i tLo = _mm256_cvtpd_epi32(_mm256_div_pd(rLo, dLo));
    const __m128i tHi = _mm256_cvtpd_epi32(_mm256_div_pd(rHi, dHi));
    return _mm256_set_m128i(tHi, tLo);
}

template <bool kOddDivisors>
KESTRUNE_AVX2 __m256i Term(const Frame& fr, const TermReciprocals& rcp, __m256i absR, int axis,
                           __m256i n) {
    if constexpr (kOddDivisors) {
        return OddDivisorTerm(rcp, absR, n);
    } else {
        return DivisorTerm(fr, absR, _mm256_set1_epi32(axis), n);
    }
}

template <bool kOddDivisors>
KESTRUNE_AVX2 __m256i TermOfPicked(const Frame& fr, const TermReciprocals& rcp, __m256i absR,
                                   __m256i axisBits, __m256i n) {
    if constexpr (kOddDivisors) {
        return OddDivisorTerm(rcp, absR, n);
    } else {
        const __m256i axis = _mm256_sub_epi32(_mm256_set1_epi32(3), _mm256_srli_epi32(axisBits, 4));
        return DivisorTerm(fr, absR, axis, n);
    }
}

KESTRUNE_AVX2 __m128i Half(__m256i v, int half) {
    return half == 0 ? _mm256_castsi256_si128(v) : _mm256_extracti128_si256(v, 1);
}

// Lanes of a component (0..255 after clamping) divided by the dimming divisor.
KESTRUNE_AVX2 __m256i DimmedComponent(int plain, int mixed, __m256 goal, __m256 q) {
    const __m256 c = _mm256_blendv_ps(_mm256_set1_ps(static_cast<float>(plain)),
                                      _mm256_set1_ps(static_cast<float>(mixed)), goal);
    const __m256i v = _mm256_cvtps_epi32(_mm256_div_ps(c, q));
    return _mm256_max_epi32(_mm256_min_epi32(v, _mm256_set1_epi32(255)), _mm256_setzero_si256());
}

KESTRUNE_AVX2 __m256i MakeKey(__m256i t, __m256i axisBits, __m256i n) {
    return _mm256_or_si256(_mm256_slli_epi32(t, kTermShift), _mm256_or_si256(axisBits, n));
}

// Rows of the angle tables, padded like the column.
struct RowAngles {
    alignas(32) int32_t cos[kColumnRays];
    alignas(32) int32_t sin[kColumnRays];
};

// r = x / 10000 truncated towards zero, exactly: x / 10000 lies at least 1/10000 from an
// integer unless it is one, so nudging it half that far away from zero before truncating
// absorbs the rounding of the product.
KESTRUNE_AVX2 __m128i DivideBy10000(__m128i x) {
    const __m256d d = _mm256_cvtepi32_pd(x);
    const __m256d nudge =
        _mm256_or_pd(_mm256_and_pd(d, _mm256_set1_pd(-0.0)), _mm256_set1_pd(0.00005));
    return _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(d, _mm256_set1_pd(0.0001)), nudge));
}

// The same directions as CastColumn, eight rows at a time.
KESTRUNE_AVX2 void CastColumnVector(const ViewState& view, const RowAngles& rows, int j,
                                    ColumnRays& rays) {
    const Matrix4& M = view.SmoothMatrix;
    const __m256i cosJ = _mm256_set1_epi32(view.Cos(j) - 12000);
    const __m256i b = _mm256_set1_epi32(view.Sin(j));
    for (int first = 0; first < kColumnRays; first += 8) {
        const __m256i a = _mm256_add_epi32(
            _mm256_load_si256(reinterpret_cast<const __m256i*>(&rows.cos[first])), cosJ);
        const __m256i v = _mm256_load_si256(reinterpret_cast<const __m256i*>(&rows.sin[first]));
        for (int k = 0; k < 4; ++k) {
            const __m256i x = _mm256_sub_epi32(
                _mm256_sub_epi32(_mm256_mullo_epi32(_mm256_set1_epi32(M[k][0]), a),
                                 _mm256_mullo_epi32(_mm256_set1_epi32(M[k][2]), v)),
                _mm256_mullo_epi32(_mm256_set1_epi32(M[k][1]), b));
            const __m128i lo = DivideBy10000(_mm256_castsi256_si128(x));
            const __m128i hi = DivideBy10000(_mm256_extracti128_si256(x, 1));
            _mm256_store_si256(reinterpret_cast<__m256i*>(&rays.r[k][first]),
                               _mm256_set_m128i(hi, lo));
        }
    }
}

// Distance and colour of eight rays, with the same operations in the same order as the
// portable RayColour.
KESTRUNE_AVX2 void ColourLanes(const GameState& state, const Frame& fr, const __m256i (&r)[4],
                               __m256i endKey, __m256i code, Colour* out) {
    const __m256i axisBits = _mm256_and_si256(endKey, _mm256_set1_epi32(kAxisBits));
    __m256i rm = _mm256_setzero_si256();
    __m256i shifted = _mm256_setzero_si256();
    __m256i isAxis[4];
    for (int k = 0; k < 4; ++k) {
        isAxis[k] = _mm256_cmpeq_epi32(axisBits, _mm256_set1_epi32((3 - k) << 4));
        rm = _mm256_or_si256(rm, _mm256_and_si256(r[k], isAxis[k]));
        if (fr.f[k] != 0) shifted = _mm256_or_si256(shifted, isAxis[k]);
    }
    const __m256i n = _mm256_add_epi32(_mm256_and_si256(endKey, _mm256_set1_epi32(kCounterBits)),
                                       _mm256_set1_epi32(1));
    const __m256i numerator =
        _mm256_mullo_epi32(_mm256_sub_epi32(_mm256_add_epi32(n, n), _mm256_set1_epi32(3)),
                           _mm256_set1_epi32(10000000));

    __m128i distance[2];
    for (int half = 0; half < 2; ++half) {
        const __m256d tau = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_div_pd(
            _mm256_cvtepi32_pd(Half(numerator, half)), _mm256_cvtepi32_pd(Half(rm, half)))));
        const __m256d shiftedLanes =
            _mm256_castsi256_pd(_mm256_cvtepi32_epi64(Half(shifted, half)));
        __m128i sum = _mm_setzero_si128();
        for (int k = 0; k < 4; ++k) {
            __m256d x = _mm256_div_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(Half(r[k], half)), tau),
                                      _mm256_set1_pd(10000.0));
            x = _mm256_add_pd(x, _mm256_and_pd(shiftedLanes, _mm256_set1_pd(fr.shift[k])));
            sum = _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_cvtepi32_pd(sum), _mm256_mul_pd(x, x)));
        }
        distance[half] = _mm256_cvtpd_epi32(_mm256_sqrt_pd(_mm256_cvtepi32_pd(sum)));
    }
    const __m256i hit =
        _mm256_xor_si256(_mm256_cmpeq_epi32(code, _mm256_setzero_si256()), _mm256_set1_epi32(-1));
    const __m256i D = _mm256_blendv_epi8(_mm256_set1_epi32(kMissDistance),
                                         _mm256_set_m128i(distance[1], distance[0]), hit);
    const __m256d third = _mm256_set1_pd(3000.0);
    const __m256d oneHalf = _mm256_set1_pd(0.5);
    const __m128 qLo = _mm256_cvtpd_ps(_mm256_add_pd(
        _mm256_div_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(D)), third), oneHalf));
    const __m128 qHi = _mm256_cvtpd_ps(_mm256_add_pd(
        _mm256_div_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(D, 1)), third), oneHalf));
    const __m256 q = _mm256_set_m128(qHi, qLo);

    const int R = state.WallColour[0];
    const int G = state.WallColour[1];
    const int B = state.WallColour[2];
    const __m256 goal = _mm256_castsi256_ps(_mm256_cmpeq_epi32(code, _mm256_set1_epi32(CellGoal)));
    const __m256i colour =
        _mm256_or_si256(DimmedComponent(R, G + B, goal, q),
                        _mm256_or_si256(_mm256_slli_epi32(DimmedComponent(G, R + B, goal, q), 8),
                                        _mm256_slli_epi32(DimmedComponent(B, R + G, goal, q), 16)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), colour);
}

const TermReciprocals kTermReciprocals;

template <bool kOddDivisors>
KESTRUNE_AVX2 void ColourColumn(const GameState& state, const Frame& fr, const ViewState& view,
                                const RowAngles& rows, int j, Colour* out) {
    ColumnRays rays;
    CastColumnVector(view, rows, j, rays);
    alignas(32) int32_t lastKey[kColumnRays];
    alignas(32) int32_t lastCode[kColumnRays];
    const TermReciprocals& rcp = kTermReciprocals;
    const int16_t* grid = state.MazeSpace.data();
    const __m256i zero = _mm256_setzero_si256();
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i two = _mm256_set1_epi32(2);
    const __m256i limit = _mm256_set1_epi32(kCrossingLimit);
    const __m256i counterBits = _mm256_set1_epi32(kCounterBits);
    const __m256i axisMask = _mm256_set1_epi32(kAxisBits);
    const __m256i lastCell = _mm256_set1_epi32(kCellCount - 2);

    for (int first = 0; first < kColumnRays; first += 8) {
        __m256i r[4];
        __m256i absR[4];
        __m256i step[4];
        __m256i key[4];
        __m256i nextKey[4];
        for (int k = 0; k < 4; ++k) {
            r[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(&rays.r[k][first]));
            const __m256i stride = _mm256_set1_epi32(kAxisStride[k]);
            const __m256i axisBits = _mm256_set1_epi32((3 - k) << 4);
            absR[k] = _mm256_abs_epi32(r[k]);
            step[k] = _mm256_sub_epi32(_mm256_and_si256(_mm256_cmpgt_epi32(r[k], zero), stride),
                                       _mm256_and_si256(_mm256_cmpgt_epi32(zero, r[k]), stride));
            key[k] = MakeKey(Term<kOddDivisors>(fr, rcp, absR[k], k, one), axisBits, one);
            nextKey[k] = MakeKey(Term<kOddDivisors>(fr, rcp, absR[k], k, two), axisBits, two);
        }
        __m256i cell = _mm256_set1_epi32(fr.eyeCell);
        __m256i active = _mm256_set1_epi32(-1);
        __m256i endKey = zero;
        __m256i endCode = zero;
        // Lanes keep walking after they stop, so the next crossing never waits for the cell
        // lookup; a stopped lane's result is kept from the moment it stopped.
        for (;;) {
            const __m256i best = _mm256_max_epi32(_mm256_max_epi32(key[0], key[1]),
                                                  _mm256_max_epi32(key[2], key[3]));
            const __m256i axisBits = _mm256_and_si256(best, axisMask);
            const __m256i nm = _mm256_add_epi32(_mm256_and_si256(best, counterBits), one);
            __m256i pick[4];
            __m256i move = zero;
            __m256i picked = zero;
            for (int k = 0; k < 4; ++k) {
                pick[k] = _mm256_cmpeq_epi32(axisBits, _mm256_set1_epi32((3 - k) << 4));
                move = _mm256_or_si256(move, _mm256_and_si256(step[k], pick[k]));
                picked = _mm256_or_si256(picked, _mm256_and_si256(absR[k], pick[k]));
                const __m256i advanced = _mm256_blendv_epi8(key[k], nextKey[k], pick[k]);
                key[k] = advanced;
            }
            // The term after this crossing, for the axis just crossed.
            const __m256i nn = _mm256_add_epi32(nm, one);
            const __m256i ahead =
                MakeKey(TermOfPicked<kOddDivisors>(fr, rcp, picked, axisBits, nn), axisBits, nn);
            for (int k = 0; k < 4; ++k) nextKey[k] = _mm256_blendv_epi8(nextKey[k], ahead, pick[k]);

            cell = _mm256_add_epi32(cell, move);
            // Every lane reads a cell, so no lookup waits for the one before it; a stopped
            // lane may have wandered off, so its index is kept inside the grid. Two bytes
            // per cell: the gather reads four and keeps the low two.
            const __m256i inside = _mm256_min_epi32(_mm256_max_epi32(cell, zero), lastCell);
            const __m256i code = _mm256_and_si256(
                _mm256_i32gather_epi32(reinterpret_cast<const int*>(grid), inside, 2),
                _mm256_set1_epi32(0xffff));
            const __m256i over = _mm256_and_si256(_mm256_cmpgt_epi32(nm, limit), active);
            const __m256i probe = _mm256_andnot_si256(over, active);
            const __m256i hit = _mm256_andnot_si256(_mm256_cmpeq_epi32(code, zero), probe);
            const __m256i done = _mm256_or_si256(over, hit);
            endKey = _mm256_blendv_epi8(endKey, best, done);
            // A lane that gave up keeps code 0 whatever cell it read.
            endCode = _mm256_blendv_epi8(endCode, _mm256_and_si256(code, hit), done);
            active = _mm256_andnot_si256(done, active);
            if (_mm256_testz_si256(active, active)) break;
        }
        _mm256_store_si256(reinterpret_cast<__m256i*>(&lastKey[first]), endKey);
        _mm256_store_si256(reinterpret_cast<__m256i*>(&lastCode[first]), endCode);
    }
    // Colours after all walks: these groups do not wait on each other.
    for (int first = 0; first < kColumnRays; first += 8) {
        __m256i r[4];
        for (int k = 0; k < 4; ++k)
            r[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(&rays.r[k][first]));
        ColourLanes(
            state, fr, r, _mm256_load_si256(reinterpret_cast<const __m256i*>(&lastKey[first])),
            _mm256_load_si256(reinterpret_cast<const __m256i*>(&lastCode[first])), out + first);
    }
}

// The same walk twice: with AVX-512 the compiler has twice the vector registers and keeps
// the whole walk state in them.
template <bool kOddDivisors>
__attribute__((target("avx2"))) void ColourColumnAvx2(const GameState& state, const Frame& fr,
                                                      const ViewState& view, const RowAngles& rows,
                                                      int j, Colour* out) {
    ColourColumn<kOddDivisors>(state, fr, view, rows, j, out);
}
template <bool kOddDivisors>
__attribute__((target("avx2,avx512f,avx512vl"))) void ColourColumnAvx512(const GameState& state,
                                                                         const Frame& fr,
                                                                         const ViewState& view,
                                                                         const RowAngles& rows,
                                                                         int j, Colour* out) {
    ColourColumn<kOddDivisors>(state, fr, view, rows, j, out);
}

#undef KESTRUNE_AVX2

#endif

// ---- Distance and colour ----------------------------------------------------------------

Colour RayColour(const GameState& state, const Frame& fr, const ColumnRays& rays,
                 const ColumnEnds& ends, int row) {
    int32_t D = kMissDistance;
    const int code = ends.code[row];
    if (code != CellOpen) {
        const int m = ends.axis[row];
        const float tau = static_cast<float>((2 * ends.n[row] - 3) * 10000000.0 / rays.r[m][row]);
        const bool shifted = fr.f[m] != 0;
        int32_t sum = 0;
        for (int k = 0; k < 4; ++k) {
            double x = static_cast<double>(rays.r[k][row]) * tau / 10000.0;
            if (shifted) x += fr.shift[k];
            sum = RoundToInt(sum + x * x);
        }
        D = RoundToInt(std::sqrt(static_cast<double>(sum)));
    }

    const float q = static_cast<float>(D / 3000.0 + 0.5);
    const int R = state.WallColour[0];
    const int G = state.WallColour[1];
    const int B = state.WallColour[2];
    if (code == CellGoal) {
        return MakeColour(RoundToInt((G + B) / q), RoundToInt((R + B) / q),
                          RoundToInt((R + G) / q));
    }
    return MakeColour(RoundToInt(R / q), RoundToInt(G / q), RoundToInt(B / q));
}

}  // namespace

bool VectorKernelAvailable() {
#if defined(KESTRUNE_AVX2_WALK)
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
#else
    return false;
#endif
}

void ComputeSmoothPicture(const GameState& state, const ViewState& view, SmoothPicture& out,
                          SmoothKernel kernel) {
    const Frame fr = MakeFrame(state, view);
#if defined(KESTRUNE_AVX2_WALK)
    if (kernel != SmoothKernel::Portable && VectorKernelAvailable() && fr.reach < kVectorReach) {
        static const bool wideRegisters =
            __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl");
        RowAngles rows;
        for (int row = 0; row < kColumnRays; ++row) {
            const int i = (row < kSmoothSide ? row : kSmoothSide - 1) - kSmoothHalf;
            rows.cos[row] = view.Cos(i);
            rows.sin[row] = view.Sin(i);
        }
        alignas(32) Colour colours[kColumnRays];
        for (int j = -kSmoothHalf; j <= kSmoothHalf; ++j) {
            if (wideRegisters) {
                if (fr.oddDivisors)
                    ColourColumnAvx512<true>(state, fr, view, rows, j, colours);
                else
                    ColourColumnAvx512<false>(state, fr, view, rows, j, colours);
            } else if (fr.oddDivisors) {
                ColourColumnAvx2<true>(state, fr, view, rows, j, colours);
            } else {
                ColourColumnAvx2<false>(state, fr, view, rows, j, colours);
            }
            std::copy_n(colours, kSmoothSide, &out[SmoothBlockIndex(j, -kSmoothHalf)]);
        }
        return;
    }
#else
    (void)kernel;
#endif
    ColumnRays rays;
    ColumnEnds ends;
    for (int j = -kSmoothHalf; j <= kSmoothHalf; ++j) {
        CastColumn(view, j, rays);
        WalkColumnPortable(fr, state.MazeSpace.data(), rays, ends);
        for (int row = 0; row < kSmoothSide; ++row)
            out[SmoothBlockIndex(j, row - kSmoothHalf)] = RayColour(state, fr, rays, ends, row);
    }
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
