// The shared game state: the 4D cell grid, the pose, goal, distance map and the run's settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrune {

// Grid geometry: 21 cells per axis; the interior 4..16 holds mazes, the rest is a solid border.
inline constexpr int kGridSide = 21;
inline constexpr int kCellCount = 21 * 21 * 21 * 21;  // 194481
inline constexpr int kInteriorMin = 4;
inline constexpr int kInteriorMax = 16;
inline constexpr int kAxisStride[4] = {1, 21, 441, 9261};

// Cell codes stored in MazeSpace.
enum CellCode : int16_t {
    CellOpen = 0,
    CellWall = 1,
    CellBorder = 2,
    CellGoal = 3,
};

// Element number of cell (x, y, z, w), x varying fastest.
constexpr int CellIndex(int x, int y, int z, int w) {
    return x + 21 * y + 441 * z + 9261 * w;
}
template <typename Vec4>
constexpr int CellIndex(const Vec4& p) {
    return CellIndex(static_cast<int>(p[0]), static_cast<int>(p[1]), static_cast<int>(p[2]),
                     static_cast<int>(p[3]));
}

using CellGrid = std::array<int16_t, kCellCount>;
using Vec4 = std::array<int32_t, 4>;
// Entry [world axis][player axis]; column 0 forward, 1 left, 2 up, 3 the fourth axis.
using Matrix4 = std::array<std::array<int32_t, 4>, 4>;

inline constexpr Matrix4 kIdentity = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

// Game modes.
inline constexpr int16_t kModeTitle = -2;
inline constexpr int16_t kModeQuit = -1;
inline constexpr int16_t kModePractice = 0;
inline constexpr int16_t kModeTower = 1;

// Everything the game remembers during a run. One instance lives for the whole run and is
// passed by reference; it is large (two grids), so allocate it on the heap.
struct GameState {
    CellGrid MazeSpace{};
    Vec4 PlayerPos{};
    Matrix4 Orientation{};
    std::array<std::string, 12> RotationTable{};
    // [0][j] start cell, [i + 1][j] start orientation entry (i, j).
    std::array<std::array<int16_t, 4>, 5> StartPose{};
    std::array<int16_t, 4> GoalPos{};
    CellGrid DistanceMap{};
    std::array<int16_t, 3> WallColour{};  // red, green, blue
    int16_t DimIndex = 0;                 // dimension - 1
    int16_t Difficulty = 0;               // 0 until the first maze
    int16_t GameMode = kModePractice;
    int16_t TowerFloor = 0;
    int32_t MazeNumber = 0;  // the practice maze's number: the seed its generator starts from
    double StartTime = 0.0;  // seconds since midnight
};

// The twelve quarter turns, row by row, digits 0/1/2 standing for -1/0/1.
extern const std::array<const char*, 12> kRotationStrings;

// What the program's entry does before the title window: identity pose at (4,4,4,4), the
// rotation table, 4 dimensions, and the title-open mode.
void PrepareStartup(GameState& state);

// The tower's new-game start: floor 1, cell (4,4,4,4), identity orientation.
void SetNewTowerStart(GameState& state);

// Copies the start pose (cell and orientation) into PlayerPos and Orientation.
void PlaceAtStartPose(GameState& state);

// Readout coordinate of a grid coordinate: the interior reads 0..12.
constexpr int ReadoutCoordinate(int c) {
    return c - kInteriorMin;
}

}  // namespace kestrune
