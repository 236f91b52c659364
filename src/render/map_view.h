// The map of explored cells: the interior as nested grids, drawn on a pixel canvas so that
// both shells show the same pixels.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/game_state.h"
#include "navigation/explored.h"
#include "render/canvas.h"

namespace kestrune {

// Where the map's parts lie for a space of 2, 3 or 4 axes. A layer is one 13 x 13 grid of
// the interior with x across and y down. Layers go z across and w down: the outer grid
// repeats the inner one's rule (the lower axis across, the higher down), so the 3D map is
// the top row of the 4D one and a step along z or w moves to the next layer right or below.
struct MapLayout {
    int dimension = 4;
    int cell = 4;  // pixels per cell
    int gap = 6;   // pixels between layers
    int left = 0;  // the first layer's top-left pixel
    int top = 0;
    int width = 0;  // the whole canvas
    int height = 0;
    int LayerSide() const { return 13 * cell; }
    int LayerStep() const { return LayerSide() + gap; }
};

MapLayout MapLayoutFor(int dimension);

// The map's colours besides the space's own (black open cells, the wall colour, the goal's
// mix, as the fourth-axis readouts show them).
inline constexpr Colour kMapBackground = MakeColour(28, 28, 28);
inline constexpr Colour kMapUnseen = MakeColour(64, 64, 64);
inline constexpr Colour kMapVisited = MakeColour(48, 72, 160);
inline constexpr Colour kMapPlayer = MakeColour(255, 255, 255);
inline constexpr Colour kMapForward = MakeColour(255, 230, 0);
inline constexpr Colour kMapLeft = MakeColour(255, 70, 70);
inline constexpr Colour kMapUp = MakeColour(60, 170, 255);
inline constexpr Colour kMapText = MakeColour(224, 224, 224);

class MapView {
public:
    MapView();

    // Paints the map of the space as far as it has been explored: every pixel the first
    // time, after Invalidate, or when the canvas, the space (a Clear of the explored cells)
    // or the wall colour changed; otherwise only the cells met since the last call and the
    // cells of the player's marks, old and new, which leaves the same pixels. The canvas
    // should have the size MapLayoutFor gives (it is cut otherwise).
    void Draw(const GameState& state, const ExploredCells& explored, ICanvas& canvas);
    // The canvas lost its pixels: the next Draw paints them all.
    void Invalidate() { m_valid = false; }

private:
    void DrawFrame(ICanvas& canvas, int layer, Colour colour) const;
    void PaintAll(const ExploredCells& explored, ICanvas& canvas);
    // Paints one cell of MazeSpace if the map shows it and its look changed.
    void PaintCell(const GameState& state, const ExploredCells& explored, int index,
                   ICanvas& canvas);

    MapLayout m_layout;
    bool m_valid = false;
    const ICanvas* m_canvas = nullptr;
    int m_width = 0, m_height = 0;
    std::array<int16_t, 3> m_wall{};
    uint32_t m_generation = 0;
    size_t m_changesPainted = 0;   // how many of the explored cells' changes are painted
    std::array<int, 4> m_marks{};  // the player's cell, forward, left and up as painted
    int m_frameLayer = -1;         // the layer framed as the player's
    std::vector<uint8_t> m_drawn;  // each interior cell's look as painted
};

}  // namespace kestrune
