// The view surface of the game window: an RGB32 image the views paint into pixel by pixel.
#pragma once

#include <QImage>

#include "render/canvas.h"

namespace kestrune::ui {

// Rasterization, chosen to match the classic GDI calls the views were designed around:
// - Rectangle(l, t, r, b) covers the pixels l..r-1 by t..b-1; the pen draws the outermost
//   ring of them, the brush the rest. Nothing is drawn when r <= l or b <= t.
// - Polygon fills the pixels whose top-left corner point (x, y) lies inside the polygon by
//   the even-odd rule, counting points on a left or top edge as inside and points on a right
//   or bottom edge as outside; then the pen draws each of the four edges as a one-pixel line
//   with both end points: one pixel per step along the longer direction, the other coordinate
//   rounded to nearest with halves going down/right (towards larger coordinates). So the
//   polygon (0,0) (10,0) (10,10) (0,10) covers 11 x 11 pixels, its brush the inner 9 x 9.
// - Everything is clipped to the image; no anti-aliasing.
class QImageCanvas final : public ICanvas {
public:
    QImageCanvas(int width, int height);

    // A new black image of the given size.
    void Resize(int width, int height);
    const QImage& image() const { return m_image; }

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Clear() override;
    void SetFillColour(Colour colour) override;
    Colour FillColour() const override { return m_fill; }
    void SetPenColour(Colour colour) override;
    void Polygon(const Quad& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;

private:
    uint32_t* Pixels();
    // Pixels left..right-1 by top..bottom-1, clipped.
    void FillBox(uint32_t* bits, int left, int top, int right, int bottom, uint32_t argb);
    void FillInterior(uint32_t* bits, const Quad& p, uint32_t argb);
    void Line(uint32_t* bits, Point a, Point b, uint32_t argb);

    QImage m_image;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;  // pixels per image row
    Colour m_fill = kBlack;
    Colour m_pen = kBlack;
    uint32_t m_fillArgb = 0xff000000u;
    uint32_t m_penArgb = 0xff000000u;
};

}  // namespace kestrune::ui
