// What the game window keeps for drawing the smooth view: the animated pose, the angle
// tables and the block grid laid over the picture.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

namespace kestrune {

// The smooth view's grid is 79 x 79 blocks, indexed -39..39 from the centre.
inline constexpr int kSmoothHalf = 39;
inline constexpr int kSmoothSide = 2 * kSmoothHalf + 1;
inline constexpr int kSmoothScale = 10000;  // fixed point of SmoothMatrix and SmoothOffset

struct ViewState {
    // Orientation x 10000, or a frame between two orientations while a turn is shown.
    Matrix4 SmoothMatrix{};
    // The part of a step still to be shown, in 1/10000 cell; 0 outside step animations.
    Vec4 SmoothOffset{};
    // Entry k + 39 holds the table value for k = -39..39.
    std::array<int32_t, kSmoothSide> CosTable{};
    std::array<int32_t, kSmoothSide> SinTable{};
    int32_t ViewCentreX = 0;
    int32_t ViewCentreY = 0;
    int32_t BlockWidth = 0;
    int32_t BlockHeight = 0;

    int32_t Cos(int k) const { return CosTable[k + kSmoothHalf]; }
    int32_t Sin(int k) const { return SinTable[k + kSmoothHalf]; }
};

// Fills CosTable and SinTable once, when the game window loads. The angle unit is 40/39
// degree, so the outermost blocks look 40 degrees off centre.
void FillAngleTables(ViewState& view);

// Centre and block size for a view of the given inner size in pixels, so that the 79 blocks
// always cover the whole picture.
void SetViewGeometry(ViewState& view, double widthPx, double heightPx);

// SmoothMatrix = orientation x 10000, the steady picture of a pose.
void SetSmoothMatrix(ViewState& view, const Matrix4& orientation);

}  // namespace kestrune
