// Spaces and poses for the view tests and benchmarks, built without the maze generator.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "game/game_state.h"

namespace kestrune::test {

inline constexpr std::array<int16_t, 3> kPracticeGreen = {0, 255, 0};

// Every border cell CellBorder, every interior cell `interior`.
inline void FillSpace(GameState& g, int16_t interior) {
    for (int w = 0; w < kGridSide; ++w)
        for (int z = 0; z < kGridSide; ++z)
            for (int y = 0; y < kGridSide; ++y)
                for (int x = 0; x < kGridSide; ++x) {
                    const bool inside = x >= kInteriorMin && x <= kInteriorMax &&
                                        y >= kInteriorMin && y <= kInteriorMax &&
                                        z >= kInteriorMin && z <= kInteriorMax &&
                                        w >= kInteriorMin && w <= kInteriorMax;
                    g.MazeSpace[CellIndex(x, y, z, w)] = inside ? interior : int16_t{CellBorder};
                }
}

// The four-dimensional empty box in practice green, the player at `pos` facing +x.
inline void MakeEmptyBox(GameState& g, Vec4 pos = {4, 4, 4, 4}) {
    FillSpace(g, CellOpen);
    g.WallColour = kPracticeGreen;
    g.PlayerPos = pos;
    g.Orientation = kIdentity;
}

inline void SetCell(GameState& g, const Vec4& c, int16_t code) {
    g.MazeSpace[CellIndex(c)] = code;
}

// A four-dimensional maze on the even cells 4, 6, ..., 16 of every axis, carved by a
// depth-first walk from (4, 4, 4, 4); the cell where the walk first reaches its greatest
// depth becomes the goal. The same seed always gives the same maze.
inline void MakeTestMaze(GameState& g, uint32_t seed,
                         std::array<int16_t, 3> colour = kPracticeGreen) {
    FillSpace(g, CellWall);
    g.WallColour = colour;
    std::mt19937 random(seed);
    std::vector<Vec4> stack{{4, 4, 4, 4}};
    SetCell(g, stack.back(), CellOpen);
    Vec4 deepest = stack.back();
    size_t deepestDepth = 0;
    while (!stack.empty()) {
        const Vec4 here = stack.back();
        std::array<Vec4, 8> choices{};
        int count = 0;
        for (int axis = 0; axis < 4; ++axis)
            for (int dir : {-2, 2}) {
                Vec4 next = here;
                next[axis] += dir;
                if (next[axis] < kInteriorMin || next[axis] > kInteriorMax) continue;
                if (g.MazeSpace[CellIndex(next)] != CellWall) continue;
                choices[count++] = next;
            }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const Vec4 next = choices[random() % static_cast<uint32_t>(count)];
        Vec4 between = here;
        for (int k = 0; k < 4; ++k) between[k] = (here[k] + next[k]) / 2;
        SetCell(g, between, CellOpen);
        SetCell(g, next, CellOpen);
        stack.push_back(next);
        if (stack.size() > deepestDepth) {
            deepestDepth = stack.size();
            deepest = next;
        }
    }
    SetCell(g, deepest, CellGoal);
    g.PlayerPos = {4, 4, 4, 4};
    g.Orientation = kIdentity;
}

// A pose inside the maze looking down an open corridor: the room (10, 10, 10, 10), turned
// so that forward is the first open direction found there.
inline void FaceOpenCorridor(GameState& g, Vec4 pos = {10, 10, 10, 10}) {
    g.PlayerPos = pos;
    for (int axis = 0; axis < 4; ++axis)
        for (int dir : {1, -1}) {
            Vec4 ahead = pos;
            ahead[axis] += dir;
            if (g.MazeSpace[CellIndex(ahead)] != CellOpen) continue;
            // Forward = dir * e_axis; the other axes follow in order, keeping a permutation.
            Matrix4 m{};
            m[axis][0] = dir;
            int column = 1;
            for (int other = 0; other < 4; ++other)
                if (other != axis) m[other][column++] = 1;
            g.Orientation = m;
            return;
        }
    g.Orientation = kIdentity;
}

}  // namespace kestrune::test
