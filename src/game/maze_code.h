// Maze numbers: a practice maze is the seed its generator starts from, and a short code names
// it with its dimension and level ("4D-3-0412345-7"), so that two players can race on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "game/services.h"

namespace kestrune {

// Seven digits: enough mazes per dimension and level, few enough to read out.
inline constexpr int32_t kMazeNumberCount = 10000000;

// A fresh number for a new practice maze: the generator seeded from the clock, one draw.
int32_t DrawMazeNumber(IRandom& random);

struct MazeCode {
    int dimIndex = 3;    // dimension - 1: 1..3
    int level = 1;       // 1 初級 .. 4 特級
    int32_t number = 0;  // 0 .. kMazeNumberCount - 1
    bool operator==(const MazeCode&) const = default;
};

// The dimension, "D", the level, the number in seven digits and a check digit, with hyphens:
// "4D-3-0412345-7". The check digit (Damm's) covers every other digit.
std::string FormatMazeCode(const MazeCode& code);

enum class MazeCodeError {
    None,
    Form,   // not a code's shape, or a dimension or level that does not exist
    Check,  // the check digit disagrees: a character mistyped or two swapped
};
struct ParsedMazeCode {
    MazeCodeError error = MazeCodeError::Form;
    MazeCode code;
};

// A code as a player types or pastes it: any case, any spaces and hyphens (full-width ones
// too, as a Japanese input method gives them), or a whole link ending in "#maze=CODE".
// A single character changed, dropped, added, or swapped with its neighbour never names
// another maze: the result is then an error or the same code.
ParsedMazeCode ParseMazeCode(std::string_view typed);

// The link of a code inside the page's address: "maze=CODE", after the "#".
std::string MazeLinkFragment(const std::string& code);

// A fingerprint of the maze in the state (interior cells, goal, Difficulty and wall colour,
// FNV-1a), so that two builds can show they made the same maze.
uint64_t MazeDigest(const GameState& state);

}  // namespace kestrune
