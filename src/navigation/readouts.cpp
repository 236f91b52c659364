#include "navigation/readouts.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "game/numbers.h"
#include "text/catalogue.h"

namespace kestrune {

namespace {
constexpr const char* kAxisLetters[4] = {"X", "Y", "Z", "W"};

// The world axis and sign of player axis p: the sign is +1, -1 or 0 when none is found.
std::pair<int, int> WorldAxis(const Matrix4& m, int p) {
    for (int a = 0; a < 4; ++a)
        if (m[a][p] != 0) return {a, m[a][p] > 0 ? 1 : -1};
    return {0, 0};
}

std::string AxisText(int axis, int sign) {
    if (sign == 0) return {};
    return text::Trf("{0} 軸 {1}", {kAxisLetters[axis], sign > 0 ? "+" : "-"});
}
// The fourth-axis bands: another language names the side each band stands for ("Ana +W"),
// Japanese shows the plain direction text.
std::string BandText(bool ana, int axis, int sign) {
    if (sign == 0) return {};
    const std::initializer_list<std::string_view> args = {kAxisLetters[axis], sign > 0 ? "+" : "-"};
    return ana ? text::TrfIn("ana band", "{0} 軸 {1}", args)
               : text::TrfIn("kata band", "{0} 軸 {1}", args);
}
}  // namespace

std::string DirectionText(const Matrix4& m, int p) {
    const auto [axis, sign] = WorldAxis(m, p);
    return AxisText(axis, sign);
}

Rgb FourthAxisColour(int16_t cellCode, const std::array<int16_t, 3>& wall) {
    const int r = wall[0], g = wall[1], b = wall[2];
    if (cellCode == CellOpen) return {0, 0, 0};
    if (cellCode == CellGoal)
        return {ToInt32((g + b) / 2.0), ToInt32((r + b) / 2.0), ToInt32((r + g) / 2.0)};
    return {r, g, b};
}

DirectionReadout ExpDirection(const GameState& state) {
    DirectionReadout out;
    const Matrix4& m = state.Orientation;
    for (int p = 0; p < 4; ++p) {
        const auto [axis, sign] = WorldAxis(m, p);
        if (p == 0) {
            out.captions[0] = text::Trf("{0}方向", {AxisText(axis, sign)});
        } else if (p < 3) {
            out.captions[p] = AxisText(axis, sign);
            out.captions[p + 3] = AxisText(axis, -sign);
        } else {
            out.captions[3] = BandText(true, axis, sign);
            out.captions[6] = BandText(false, axis, -sign);
        }
    }
    Vec4 plus{}, minus{};
    for (int k = 0; k < 4; ++k) {
        plus[k] = state.PlayerPos[k] + m[k][3];
        minus[k] = state.PlayerPos[k] - m[k][3];
    }
    out.fourthPlusBackground = FourthAxisColour(state.MazeSpace[CellIndex(plus)], state.WallColour);
    out.fourthMinusBackground =
        FourthAxisColour(state.MazeSpace[CellIndex(minus)], state.WallColour);
    return out;
}

std::string PositionCaption(const GameState& state, int outerWidthTwips) {
    std::string text;
    for (int k = 0; k < 4; ++k) {
        if (k) text += ",";
        text += std::to_string(ReadoutCoordinate(state.PlayerPos[k]));
    }
    return outerWidthTwips < kNarrowWidthTwips ? text : text::Trf("現在地は {0}", {text});
}

double StripSlideTop(double innerHeight, double stripHeight, int k) {
    return innerHeight - k * stripHeight / 800;
}

}  // namespace kestrune
