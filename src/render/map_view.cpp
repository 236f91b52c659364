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

void MapView::PaintAll(const ExploredCells& explored, ICanvas& canvas) {
    const int dimension = m_layout.dimension;
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
    // Every layer blank in one go; then only what has been met needs painting.
    const int across = dimension >= 3 ? kSide : 1;
    const int down = dimension == 4 ? kSide : 1;
    for (int w = 0; w < down; ++w)
        for (int z = 0; z < across; ++z)
            Box(canvas, m_layout.left + z * m_layout.LayerStep(),
                m_layout.top + w * m_layout.LayerStep(), m_layout.LayerSide(), m_layout.LayerSide(),
                kMapUnseen);
    std::fill(m_drawn.begin(), m_drawn.end(), uint8_t{kUnseen});
    m_generation = explored.Generation();
    m_changesPainted = 0;
    m_marks = {-1, -1, -1, -1};
    m_frameLayer = -1;
}

void MapView::PaintCell(const GameState& state, const ExploredCells& explored, int index,
                        ICanvas& canvas) {
    if (index < 0 || index >= kCellCount) return;
    // The cell's coordinates; the map shows the interior of the space's axes only.
    int c[4];
    int rest = index;
    for (int k = 3; k >= 0; --k) {
        c[k] = rest / kAxisStride[k] - kInteriorMin;
        rest %= kAxisStride[k];
    }
    for (int k = 0; k < 4; ++k) {
        const bool shown = k < m_layout.dimension;
        if (shown ? (c[k] < 0 || c[k] >= kSide) : c[k] != 0) return;
    }
    uint8_t look = kUnseen;
    if (explored.Seen(index)) {
        const int16_t code = state.MazeSpace[static_cast<size_t>(index)];
        look = code == CellGoal          ? kGoal
               : code != CellOpen        ? kWall
               : explored.Visited(index) ? kVisited
                                         : kOpen;
    }
    if (index == m_marks[0]) look |= kPlayer;
    if (index == m_marks[1]) look |= kForward;
    if (index == m_marks[2]) look |= kLeft;
    if (index == m_marks[3]) look |= kUp;
    const size_t slot = static_cast<size_t>(((c[3] * kSide + c[2]) * kSide + c[1]) * kSide + c[0]);
    if (m_drawn[slot] == look) return;
    m_drawn[slot] = look;
    const int cell = m_layout.cell;
    const int cx = m_layout.left + c[2] * m_layout.LayerStep() + c[0] * cell;
    const int cy = m_layout.top + c[3] * m_layout.LayerStep() + c[1] * cell;
    Box(canvas, cx, cy, cell, cell, CellColour(look, m_wall));
    if (look & (kForward | kLeft | kUp)) {
        // A centred dot half the cell wide marks the player's axes.
        const Colour mark = (look & kForward) ? kMapForward : (look & kLeft) ? kMapLeft : kMapUp;
        const int dot = cell / 2;
        Box(canvas, cx + (cell - dot) / 2, cy + (cell - dot) / 2, dot, dot, mark);
    }
}

void MapView::Draw(const GameState& state, const ExploredCells& explored, ICanvas& canvas) {
    if (!m_valid || explored.Generation() != m_generation ||
        explored.Dimension() != m_layout.dimension || &canvas != m_canvas ||
        canvas.Width() != m_width || canvas.Height() != m_height || state.WallColour != m_wall) {
        m_layout = MapLayoutFor(explored.Dimension());
        m_canvas = &canvas;
        m_width = canvas.Width();
        m_height = canvas.Height();
        m_wall = state.WallColour;
        m_valid = true;
        PaintAll(explored, canvas);
    }

    // The marks move first: the old marked cells are repainted without them.
    const int player = CellIndex(state.PlayerPos);
    const std::array<int, 4> marks = {player, player + AxisOffset(state.Orientation, 0),
                                      player + AxisOffset(state.Orientation, 1),
                                      player + AxisOffset(state.Orientation, 2)};
    const std::array<int, 4> old = m_marks;
    m_marks = marks;
    for (int index : old) PaintCell(state, explored, index, canvas);
    for (int index : marks) PaintCell(state, explored, index, canvas);
    const std::vector<int>& changes = explored.Changes();
    for (; m_changesPainted < changes.size(); ++m_changesPainted)
        PaintCell(state, explored, changes[m_changesPainted], canvas);

    // The player's layer framed, so the eye finds it among the others.
    if (m_layout.dimension >= 3) {
        const Vec4& p = state.PlayerPos;
        const bool inside = p[2] >= kInteriorMin && p[2] <= kInteriorMax && p[3] >= kInteriorMin &&
                            p[3] <= kInteriorMax;
        const int layer =
            (p[2] - kInteriorMin) + (m_layout.dimension == 4 ? (p[3] - kInteriorMin) * kSide : 0);
        const int framed = inside ? layer : -1;
        if (framed != m_frameLayer) {
            DrawFrame(canvas, m_frameLayer, kMapBackground);
            DrawFrame(canvas, framed, kMapText);
            m_frameLayer = framed;
        }
    }
}

}  // namespace kestrune
