#include "navigation/explored.h"

#include <algorithm>

namespace kestrune {

int SpaceDimension(const GameState& state) {
    return std::clamp(state.DimIndex + 1, 2, 4);
}

ExploredCells::ExploredCells() : m_flags(kCellCount, 0) {}

void ExploredCells::Clear(int dimension) {
    m_dimension = std::clamp(dimension, 2, 4);
    std::fill(m_flags.begin(), m_flags.end(), uint8_t{0});
    m_changes.clear();
    ++m_generation;
}

void ExploredCells::Flag(int cellIndex, uint8_t flags) {
    uint8_t& f = m_flags[static_cast<size_t>(cellIndex)];
    if ((f & flags) == flags) return;
    f |= flags;
    m_changes.push_back(cellIndex);
}

void ExploredCells::Visit(const GameState& state) {
    const Vec4& p = state.PlayerPos;
    for (int k = 0; k < 4; ++k)
        if (p[k] < 1 || p[k] >= kGridSide - 1) return;  // never outside the border
    const int here = CellIndex(p);
    Flag(here, kSeen | kVisited);
    for (int axis = 0; axis < m_dimension; ++axis) {
        Flag(here + kAxisStride[axis], kSeen);
        Flag(here - kAxisStride[axis], kSeen);
    }
    // Straight ahead over open cells; the border stops the look within the grid.
    Vec4 cell = p;
    for (int steps = 0; steps < kGridSide; ++steps) {
        for (int k = 0; k < 4; ++k) cell[k] += state.Orientation[k][0];
        bool inside = true;
        for (int k = 0; k < 4; ++k) inside = inside && cell[k] >= 0 && cell[k] < kGridSide;
        if (!inside) return;
        const int16_t code = state.MazeSpace[static_cast<size_t>(CellIndex(cell))];
        if (code == CellGoal) Flag(CellIndex(cell), kSeen);
        if (code != CellOpen) return;
    }
}

}  // namespace kestrune
