#include "render/map_view.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "navigation/readouts.h"

namespace kestrune {

namespace {

constexpr int kSide = 13;  // interior cells per axis
constexpr int kTextScale = 2;
constexpr int kTextTop = 3;  // the header line
constexpr int kLegendWidth = 26;
constexpr int kRowHeaderWidth = 28;
constexpr int kMargin = 6;

// What a cell looks like: its kind in the low bits, the player's marks above.
enum Look : uint8_t {
    kUnseen = 0,
    kOpen = 1,
    kVisited = 2,
    kWall = 3,
    kGoal = 4,
    kKindMask = 7,
    kPlayer = 8,
    kForward = 16,
    kLeft = 32,
    kUp = 64,
    kNotDrawn = 255,
};

// Glyphs 5 rows high, drawn with kTextScale pixels per dot: digits, the axis letters and
// the two arrows ('>' right, 'v' down).
struct Glyph {
    char code;
    int width;
    std::array<uint8_t, 5> rows;  // bit (width - 1) is the leftmost dot
};
constexpr std::array<Glyph, 16> kGlyphs = {{
    {'0', 3, {7, 5, 5, 5, 7}},
    {'1', 3, {2, 6, 2, 2, 7}},
    {'2', 3, {7, 1, 7, 4, 7}},
    {'3', 3, {7, 1, 7, 1, 7}},
    {'4', 3, {5, 5, 7, 1, 1}},
    {'5', 3, {7, 4, 7, 1, 7}},
    {'6', 3, {7, 4, 7, 5, 7}},
    {'7', 3, {7, 1, 1, 2, 2}},
    {'8', 3, {7, 5, 7, 5, 7}},
    {'9', 3, {7, 5, 7, 1, 7}},
    {'X', 3, {5, 5, 2, 5, 5}},
    {'Y', 3, {5, 5, 2, 2, 2}},
    {'Z', 3, {7, 1, 2, 4, 7}},
    {'W', 3, {5, 5, 7, 7, 5}},
    {'>', 5, {4, 2, 31, 2, 4}},
    {'v', 5, {4, 4, 21, 14, 4}},
}};

void Box(ICanvas& canvas, int left, int top, int width, int height, Colour colour) {
    canvas.SetFillColour(colour);
    canvas.SetPenColour(colour);
    canvas.Rectangle(left, top, left + width, top + height);
}

void Text(ICanvas& canvas, int left, int top, std::string_view text) {
    int x = left;
    for (char c : text) {
        for (const Glyph& g : kGlyphs) {
            if (g.code != c) continue;
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < g.width; ++col)
                    if (g.rows[static_cast<size_t>(row)] & (1 << (g.width - 1 - col)))
                        Box(canvas, x + col * kTextScale, top + row * kTextScale, kTextScale,
                            kTextScale, kMapText);
            x += (g.width + 1) * kTextScale;
        }
        if (c == ' ') x += 4 * kTextScale;
    }
}

Colour CellColour(uint8_t look, const std::array<int16_t, 3>& wall) {
    if (look & kPlayer) return kMapPlayer;
    switch (look & kKindMask) {
        case kOpen:
            return kBlack;
        case kVisited:
            return kMapVisited;
        case kWall: {
            const Rgb c = FourthAxisColour(CellWall, wall);
            return MakeColour(c.red, c.green, c.blue);
        }
        case kGoal: {
            const Rgb c = FourthAxisColour(CellGoal, wall);
            return MakeColour(c.red, c.green, c.blue);
        }
        default:
            return kMapUnseen;
    }
}

// Offset in MazeSpace of one step along the player's axis p.
int AxisOffset(const Matrix4& m, int p) {
    int offset = 0;
    for (int k = 0; k < 4; ++k) offset += m[k][p] * kAxisStride[k];
    return offset;
}

}  // namespace

MapLayout MapLayoutFor(int dimension) {
    MapLayout l;
    l.dimension = dimension < 2 ? 2 : (dimension > 4 ? 4 : dimension);
    // A single plane has room for large cells; layers side by side need small ones.
    l.cell = l.dimension == 2 ? 16 : 4;
    l.gap = l.dimension == 2 ? 0 : 6;
    l.left = kLegendWidth + (l.dimension == 4 ? kRowHeaderWidth : 0);
    l.top = kTextTop + 5 * kTextScale + 3;
    const int across = l.dimension >= 3 ? kSide : 1;
    const int down = l.dimension == 4 ? kSide : 1;
    l.width = l.left + across * l.LayerStep() - l.gap + kMargin;
    l.height = l.top + down * l.LayerStep() - l.gap + kMargin;
    return l;
}

MapView::MapView() : m_drawn(kSide * kSide * kSide * kSide, kNotDrawn) {}

void MapView::DrawFrame(ICanvas& canvas, int layer, Colour colour) const {
    if (layer < 0) return;
    const int x = m_layout.left + (layer % kSide) * m_layout.LayerStep() - 3;
    const int y = m_layout.top + (layer / kSide) * m_layout.LayerStep() - 3;
    const int side = m_layout.LayerSide() + 6;
    Box(canvas, x, y, side, 1, colour);
    Box(canvas, x, y + side - 1, side, 1, colour);
    Box(canvas, x, y, 1, side, colour);
    Box(canvas, x + side - 1, y, 1, side, colour);
}

void MapView::Draw(const GameState& state, const ExploredCells& explored, ICanvas& canvas) {
    const int dimension = explored.Dimension();
    if (!m_valid || dimension != m_layout.dimension || &canvas != m_canvas ||
        canvas.Width() != m_width || canvas.Height() != m_height || state.WallColour != m_wall) {
        m_layout = MapLayoutFor(dimension);
        m_canvas = &canvas;
        m_width = canvas.Width();
        m_height = canvas.Height();
        m_wall = state.WallColour;
        m_valid = true;
        m_frameLayer = -1;
        std::fill(m_drawn.begin(), m_drawn.end(), uint8_t{kNotDrawn});
        canvas.Clear();
        Box(canvas, 0, 0, m_width, m_height, kMapBackground);
        // The legend names the axes inside a layer; the headers give each layer's z and w.
        Text(canvas, 2, kTextTop, "X>");
        Text(canvas, 2, m_layout.top, "Yv");
        if (dimension >= 3)
            for (int z = 0; z < kSide; ++z)
                Text(canvas, m_layout.left + z * m_layout.LayerStep(), kTextTop,
                     "Z" + std::to_string(z));
        if (dimension == 4)
            for (int w = 0; w < kSide; ++w)
                Text(canvas, kLegendWidth,
                     m_layout.top + w * m_layout.LayerStep() + (m_layout.LayerSide() - 10) / 2,
                     "W" + std::to_string(w));
    }

    const Vec4& p = state.PlayerPos;
    const int player = CellIndex(p);
    const int forward = player + AxisOffset(state.Orientation, 0);
    const int left = player + AxisOffset(state.Orientation, 1);
    const int up = player + AxisOffset(state.Orientation, 2);

    const int across = dimension >= 3 ? kSide : 1;
    const int down = dimension == 4 ? kSide : 1;
    const int cell = m_layout.cell;
    // A centred dot a quarter of the cell from each side marks the player's axes.
    const int dot = cell / 2;
    size_t slot = 0;
    for (int w = 0; w < down; ++w)
        for (int z = 0; z < across; ++z) {
            const int layerX = m_layout.left + z * m_layout.LayerStep();
            const int layerY = m_layout.top + w * m_layout.LayerStep();
            for (int y = 0; y < kSide; ++y) {
                const int row =
                    CellIndex(kInteriorMin, y + kInteriorMin, z + kInteriorMin, w + kInteriorMin);
                for (int x = 0; x < kSide; ++x, ++slot) {
                    const int index = row + x;
                    uint8_t look = kUnseen;
                    if (explored.Seen(index)) {
                        const int16_t code = state.MazeSpace[static_cast<size_t>(index)];
                        look = code == CellGoal          ? kGoal
                               : code != CellOpen        ? kWall
                               : explored.Visited(index) ? kVisited
                                                         : kOpen;
                    }
                    if (index == player) look |= kPlayer;
                    if (index == forward) look |= kForward;
                    if (index == left) look |= kLeft;
                    if (index == up) look |= kUp;
                    if (m_drawn[slot] == look) continue;
                    m_drawn[slot] = look;
                    const int cx = layerX + x * cell, cy = layerY + y * cell;
                    Box(canvas, cx, cy, cell, cell, CellColour(look, m_wall));
                    const Colour mark = (look & kForward) ? kMapForward
                                        : (look & kLeft)  ? kMapLeft
                                                          : kMapUp;
                    if (look & (kForward | kLeft | kUp))
                        Box(canvas, cx + (cell - dot) / 2, cy + (cell - dot) / 2, dot, dot, mark);
                }
            }
        }

    // The player's layer framed, so the eye finds it among the others.
    if (dimension >= 3) {
        const int layer =
            (p[2] - kInteriorMin) + (dimension == 4 ? (p[3] - kInteriorMin) * kSide : 0);
        const bool inside = p[2] >= kInteriorMin && p[2] <= kInteriorMax && p[3] >= kInteriorMin &&
                            p[3] <= kInteriorMax;
        const int framed = inside ? layer : -1;
        if (framed != m_frameLayer) {
            DrawFrame(canvas, m_frameLayer, kMapBackground);
            DrawFrame(canvas, framed, kMapText);
            m_frameLayer = framed;
        }
    }
}

}  // namespace kestrune
