// The direction and position readouts: what the view cannot show, spelled out.
#pragma once

#include <array>
#include <string>

#include "game/game_state.h"

namespace kestrune {

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct DirectionReadout {
    // lblHoukou 0..6: forward (with "方向"), left, up, fourth, right, down, minus fourth.
    std::array<std::string, 7> captions;
    Rgb fourthPlusBackground;   // lblHoukou 3
    Rgb fourthMinusBackground;  // lblHoukou 6
};

// Direction text of player axis p: "X 軸 +" and the like.
std::string DirectionText(const Matrix4& m, int p);

// The whole direction readout for the current pose.
DirectionReadout ExpDirection(const GameState& state);

// Background of a fourth-axis label for the code of the cell it looks at.
Rgb FourthAxisColour(int16_t cellCode, const std::array<int16_t, 3>& wall);

// Window outer width (twips) below which the readouts and layout use their narrow forms.
inline constexpr int kNarrowWidthTwips = 6390;

// lblZahyou's caption: "現在地は 0,0,0,0" in a wide window, "0,0,0,0" in a narrow one.
std::string PositionCaption(const GameState& state, int outerWidthTwips);

// Top of the coordinate strip at slide position k (0..800) of its 801-position slide.
double StripSlideTop(double innerHeight, double stripHeight, int k);

}  // namespace kestrune
