// What the player has met in the current space, for the map: the cells stood on, the cells
// beside them, and the goal once it has been in view.
#pragma once

#include <cstdint>
#include <vector>

#include "game/game_state.h"

namespace kestrune {

// The number of axes the current space uses: DimIndex + 1, between 2 and 4.
int SpaceDimension(const GameState& state);

// A cell is seen once the player has stood on it or beside it (one step along any axis the
// space uses), so the map shows a visited cell's walls and openings all round. The goal is
// seen, wherever it is, once it stands at the far end of an open corridor straight ahead of
// the player: the view shows it there. Nothing else counts, the hint's path included.
class ExploredCells {
public:
    ExploredCells();

    // A new maze, figure or floor of `dimension` axes (SpaceDimension): nothing has been met.
    // The dimension is kept, since choosing a dimension's submenu changes DimIndex before
    // any new space is built.
    void Clear(int dimension);
    int Dimension() const { return m_dimension; }
    // The player stands at PlayerPos facing column 0 of Orientation; call after every step
    // and turn (a turn can bring the goal into view).
    void Visit(const GameState& state);

    // The cells whose flags grew since Clear, in order, so that a map repaints only those;
    // the generation counts the Clears.
    const std::vector<int>& Changes() const { return m_changes; }
    uint32_t Generation() const { return m_generation; }

    bool Seen(int cellIndex) const {
        return (m_flags[static_cast<size_t>(cellIndex)] & kSeen) != 0;
    }
    bool Visited(int cellIndex) const {
        return (m_flags[static_cast<size_t>(cellIndex)] & kVisited) != 0;
    }

private:
    static constexpr uint8_t kSeen = 1;
    static constexpr uint8_t kVisited = 2;
    void Flag(int cellIndex, uint8_t flags);
    std::vector<uint8_t> m_flags;  // one per cell of MazeSpace
    int m_dimension = 4;
    std::vector<int> m_changes;
    uint32_t m_generation = 0;
};

}  // namespace kestrune
