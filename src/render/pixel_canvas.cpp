#include "render/pixel_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace kestrune {
namespace {

// Most spans are a block a few pixels wide: whole 16-byte stores, the last one overlapping.
inline void FillSpan(uint32_t* p, int count, uint32_t word) {
#if defined(__SSE2__)
    if (count >= 4) {
        const __m128i v = _mm_set1_epi32(static_cast<int>(word));
        uint32_t* last = p + count - 4;
        for (; p < last; p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(last), v);
        return;
    }
#elif defined(__wasm_simd128__)
    if (count >= 4) {
        const v128_t v = wasm_i32x4_splat(static_cast<int32_t>(word));
        uint32_t* last = p + count - 4;
        for (; p < last; p += 4) wasm_v128_store(p, v);
        wasm_v128_store(last, v);
        return;
    }
#endif
    while (count-- > 0) *p++ = word;
}

// Floor and ceiling of n / d for d > 0.
inline int64_t FloorDiv(int64_t n, int64_t d) {
    const int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}
inline int64_t CeilDiv(int64_t n, int64_t d) {
    return -FloorDiv(-n, d);
}

// True when the four corners go round an axis-aligned rectangle.
bool IsUpright(const Quad& p) {
    const bool horizontalFirst =
        p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y && p[3].x == p[0].x;
    const bool verticalFirst =
        p[0].x == p[1].x && p[1].y == p[2].y && p[2].x == p[3].x && p[3].y == p[0].y;
    return horizontalFirst || verticalFirst;
}

}  // namespace

void PixelCanvas::Attach(uint32_t* bits, int width, int height, int stride) {
    m_bits = bits;
    m_width = bits ? std::max(width, 0) : 0;
    m_height = bits ? std::max(height, 0) : 0;
    m_stride = stride;
    m_fillWord = PixelOf(m_fill);
    m_penWord = PixelOf(m_pen);
}

uint32_t PixelCanvas::PixelOf(Colour c) const {
    const auto r = static_cast<uint32_t>(RedOf(c));
    const auto g = static_cast<uint32_t>(GreenOf(c));
    const auto b = static_cast<uint32_t>(BlueOf(c));
    if (m_format == PixelFormat::Xrgb32) return 0xff000000u | (r << 16) | (g << 8) | b;
    const uint8_t bytes[4] = {static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                              static_cast<uint8_t>(b), 0xff};
    uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

void PixelCanvas::Clear() {
    if (m_width == 0 || m_height == 0) return;
    FillBox(Pixels(), 0, 0, m_width, m_height, PixelOf(kBlack));
}

void PixelCanvas::SetFillColour(Colour colour) {
    m_fill = colour;
    m_fillWord = PixelOf(colour);
}

void PixelCanvas::SetPenColour(Colour colour) {
    m_pen = colour;
    m_penWord = PixelOf(colour);
}

void PixelCanvas::FillBox(uint32_t* bits, int left, int top, int right, int bottom, uint32_t word) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (left >= right || top >= bottom) return;
    uint32_t* row = bits + static_cast<ptrdiff_t>(top) * m_stride + left;
    for (int y = top; y < bottom; ++y, row += m_stride) FillSpan(row, right - left, word);
}

void PixelCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top || m_width == 0 || m_height == 0) return;
    uint32_t* bits = Pixels();
    if (m_penWord == m_fillWord) {
        FillBox(bits, left, top, right, bottom, m_fillWord);
        return;
    }
    FillBox(bits, left + 1, top + 1, right - 1, bottom - 1, m_fillWord);
    FillBox(bits, left, top, right, top + 1, m_penWord);
    FillBox(bits, left, bottom - 1, right, bottom, m_penWord);
    FillBox(bits, left, top, left + 1, bottom, m_penWord);
    FillBox(bits, right - 1, top, right, bottom, m_penWord);
}

void PixelCanvas::FillInterior(uint32_t* bits, const Quad& p, uint32_t word) {
    int yMin = p[0].y;
    int yMax = p[0].y;
    for (const Point& q : p) {
        yMin = std::min(yMin, q.y);
        yMax = std::max(yMax, q.y);
    }
    // Rows yMin..yMax-1 hold the interior: a bottom edge belongs to the outside.
    const int yFirst = std::max(yMin, 0);
    const int yLast = std::min(yMax, Height()) - 1;
    for (int y = yFirst; y <= yLast; ++y) {
        int64_t cross[4];
        int count = 0;
        for (int e = 0; e < 4; ++e) {
            Point a = p[e];
            Point b = p[(e + 1) % 4];
            if (a.y == b.y) continue;
            if (a.y > b.y) std::swap(a, b);
            if (y < a.y || y >= b.y) continue;
            // The first pixel whose corner lies at or right of the edge.
            cross[count++] = a.x + CeilDiv(int64_t{y - a.y} * (b.x - a.x), b.y - a.y);
        }
        for (int a = 1; a < count; ++a)
            for (int b = a; b > 0 && cross[b - 1] > cross[b]; --b)
                std::swap(cross[b - 1], cross[b]);
        uint32_t* row = bits + static_cast<ptrdiff_t>(y) * m_stride;
        for (int c = 0; c + 1 < count; c += 2) {
            const int64_t from = std::max<int64_t>(cross[c], 0);
            const int64_t to = std::min<int64_t>(cross[c + 1], Width());
            if (from < to) FillSpan(row + from, static_cast<int>(to - from), word);
        }
    }
}

void PixelCanvas::Line(uint32_t* bits, Point a, Point b, uint32_t word) {
    const int w = Width();
    const int h = Height();
    if (a.y == b.y) {
        FillBox(bits, std::min(a.x, b.x), a.y, std::max(a.x, b.x) + 1, a.y + 1, word);
        return;
    }
    if (a.x == b.x) {
        FillBox(bits, a.x, std::min(a.y, b.y), a.x + 1, std::max(a.y, b.y) + 1, word);
        return;
    }
    // Walk along the longer direction (u) from the end with the smaller u; the other
    // coordinate (v) is v0 + floor((2 k dv + du) / (2 du)) after k steps.
    const bool xMajor = std::abs(int64_t{b.x} - a.x) >= std::abs(int64_t{b.y} - a.y);
    int64_t u0 = xMajor ? a.x : a.y;
    int64_t v0 = xMajor ? a.y : a.x;
    int64_t u1 = xMajor ? b.x : b.y;
    int64_t v1 = xMajor ? b.y : b.x;
    if (u1 < u0) {
        std::swap(u0, u1);
        std::swap(v0, v1);
    }
    const int64_t du = u1 - u0;
    const int64_t dv = v1 - v0;
    const int64_t uLimit = xMajor ? w : h;
    const int64_t vLimit = xMajor ? h : w;
    const int64_t uStart = std::max<int64_t>(u0, 0);
    const int64_t uEnd = std::min<int64_t>(u1, uLimit - 1);
    if (uStart > uEnd) return;
    const int64_t twoDu = 2 * du;
    const int64_t start = 2 * (uStart - u0) * dv + du;
    int64_t v = v0 + FloorDiv(start, twoDu);
    int64_t rest = start - FloorDiv(start, twoDu) * twoDu;  // 0 <= rest < 2 du
    for (int64_t u = uStart; u <= uEnd; ++u) {
        if (v >= 0 && v < vLimit) {
            const int64_t x = xMajor ? u : v;
            const int64_t y = xMajor ? v : u;
            bits[y * m_stride + x] = word;
        }
        rest += 2 * dv;
        if (rest >= twoDu) {
            rest -= twoDu;
            ++v;
        } else if (rest < 0) {
            rest += twoDu;
            --v;
        }
    }
}

void PixelCanvas::Polygon(const Quad& p) {
    if (m_width == 0 || m_height == 0) return;
    uint32_t* bits = Pixels();
    if (IsUpright(p)) {
        const int left = std::min({p[0].x, p[1].x, p[2].x, p[3].x});
        const int right = std::max({p[0].x, p[1].x, p[2].x, p[3].x});
        const int top = std::min({p[0].y, p[1].y, p[2].y, p[3].y});
        const int bottom = std::max({p[0].y, p[1].y, p[2].y, p[3].y});
        // The same pixels the general path gives, without walking its edges.
        FillBox(bits, left, top, right, bottom, m_fillWord);
        FillBox(bits, left, top, right + 1, top + 1, m_penWord);
        FillBox(bits, left, bottom, right + 1, bottom + 1, m_penWord);
        FillBox(bits, left, top, left + 1, bottom + 1, m_penWord);
        FillBox(bits, right, top, right + 1, bottom + 1, m_penWord);
        return;
    }
    FillInterior(bits, p, m_fillWord);
    for (int e = 0; e < 4; ++e) Line(bits, p[e], p[(e + 1) % 4], m_penWord);
}

BufferCanvas::BufferCanvas(int width, int height, PixelFormat format) : PixelCanvas(format) {
    Resize(width, height);
}

void BufferCanvas::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), PixelOf(kBlack));
    Attach(m_pixels.data(), width, height, width);
}

}  // namespace kestrune
