#include "render/view_state.h"

#include <cmath>

#include "game/numbers.h"

namespace kestrune {

void FillAngleTables(ViewState& view) {
    // Deliberately not pi: this factor makes k = 39 exactly 40 degrees.
    constexpr double kNearPi = 3.1415929534;
    for (int k = -kSmoothHalf; k <= kSmoothHalf; ++k) {
        const double angle = k * kNearPi / 175.5;
        view.CosTable[k + kSmoothHalf] = ToInt32(std::cos(angle) * kSmoothScale);
        view.SinTable[k + kSmoothHalf] = ToInt32(std::sin(angle) * kSmoothScale);
    }
}

void SetViewGeometry(ViewState& view, double widthPx, double heightPx) {
    const int32_t w = ToInt32(widthPx);
    const int32_t h = ToInt32(heightPx);
    view.ViewCentreX = w / 2;
    view.ViewCentreY = h / 2;
    view.BlockWidth = w / 78 + 1;
    view.BlockHeight = h / 78 + 1;
}

void SetSmoothMatrix(ViewState& view, const Matrix4& orientation) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) view.SmoothMatrix[i][j] = orientation[i][j] * kSmoothScale;
}

}  // namespace kestrune
