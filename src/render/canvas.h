// The drawing surface the maze views paint on: just the handful of operations they need.
#pragma once

#include <array>
#include <cstdint>

namespace kestrune {

// A colour packed the way the game stores it: red in the low byte, then green, then blue.
using Colour = uint32_t;

inline constexpr Colour kBlack = 0;

// Packs red, green and blue. The views can compute components above 255 (a near wall seen
// through the dimming divisor); those count as 255. Nothing negative is ever asked for, but
// it is kept at 0 so a stray value cannot bleed into the next component.
constexpr Colour MakeColour(int red, int green, int blue) {
    auto clamp = [](int c) { return static_cast<Colour>(c < 0 ? 0 : (c > 255 ? 255 : c)); };
    return clamp(red) | (clamp(green) << 8) | (clamp(blue) << 16);
}
constexpr int RedOf(Colour c) {
    return static_cast<int>(c & 0xff);
}
constexpr int GreenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int BlueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xff);
}

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

using Quad = std::array<Point, 4>;

// Pixel coordinates: x to the right, y downwards, (0, 0) the top-left pixel. Shapes may lie
// partly or wholly outside the surface; the surface cuts them.
class ICanvas {
public:
    virtual ~ICanvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Fills the whole surface with black.
    virtual void Clear() = 0;
    // The brush that fills shapes.
    virtual void SetFillColour(Colour colour) = 0;
    virtual Colour FillColour() const = 0;
    // The one-pixel pen that outlines shapes.
    virtual void SetPenColour(Colour colour) = 0;
    // Fills the four-cornered polygon with the brush, then outlines its four edges with the
    // pen; the outline includes every corner point.
    virtual void Polygon(const Quad& points) = 0;
    // Fills and outlines the pixels from (left, top) up to but excluding right and bottom.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
};

}  // namespace kestrune
