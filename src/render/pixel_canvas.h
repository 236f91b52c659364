// A canvas that writes 32-bit pixels into memory: the one rasterizer both shells draw with.
#pragma once

#include <cstdint>
#include <vector>

#include "render/canvas.h"

namespace kestrune {

// How a pixel is laid out in its 32-bit word.
enum class PixelFormat {
    Xrgb32,  // the word 0xffRRGGBB (Qt's RGB32)
    Rgba8,   // the bytes R, G, B, 255 in memory order (a browser's ImageData)
};

// Rasterization, chosen to match the classic GDI calls the views were designed around:
// - Rectangle(l, t, r, b) covers the pixels l..r-1 by t..b-1; the pen draws the outermost
//   ring of them, the brush the rest. Nothing is drawn when r <= l or b <= t.
// - Polygon fills the pixels whose top-left corner point (x, y) lies inside the polygon by
//   the even-odd rule, counting points on a left or top edge as inside and points on a right
//   or bottom edge as outside; then the pen draws each of the four edges as a one-pixel line
//   with both end points: one pixel per step along the longer direction, the other coordinate
//   rounded to nearest with halves going down/right (towards larger coordinates). So the
//   polygon (0,0) (10,0) (10,10) (0,10) covers 11 x 11 pixels, its brush the inner 9 x 9.
// - Everything is clipped to the surface; no anti-aliasing.
class PixelCanvas : public ICanvas {
public:
    explicit PixelCanvas(PixelFormat format = PixelFormat::Xrgb32) : m_format(format) {}

    // Paints into `bits`: `height` rows of `stride` words, `width` of them used. The memory
    // stays the caller's and must outlive the drawing.
    void Attach(uint32_t* bits, int width, int height, int stride);
    // The word a colour is written as.
    uint32_t PixelOf(Colour colour) const;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Clear() override;
    void SetFillColour(Colour colour) override;
    Colour FillColour() const override { return m_fill; }
    void SetPenColour(Colour colour) override;
    void Polygon(const Quad& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;

protected:
    // The memory to paint into, asked for once per drawing call: a surface whose memory can
    // move (a shared image detaching) hands out the current one here.
    virtual uint32_t* Pixels() { return m_bits; }
    void Rebind(uint32_t* bits) { m_bits = bits; }

private:
    // Pixels left..right-1 by top..bottom-1, clipped.
    void FillBox(uint32_t* bits, int left, int top, int right, int bottom, uint32_t word);
    void FillInterior(uint32_t* bits, const Quad& p, uint32_t word);
    void Line(uint32_t* bits, Point a, Point b, uint32_t word);

    PixelFormat m_format;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;  // words per row
    Colour m_fill = kBlack;
    Colour m_pen = kBlack;
    uint32_t m_fillWord = 0;
    uint32_t m_penWord = 0;
};

// A pixel canvas that owns its memory: the browser's view and the reference pictures.
class BufferCanvas final : public PixelCanvas {
public:
    BufferCanvas(int width, int height, PixelFormat format);
    // A new black surface of the given size.
    void Resize(int width, int height);
    const uint32_t* Data() const { return m_pixels.data(); }

private:
    std::vector<uint32_t> m_pixels;
};

}  // namespace kestrune
