// The breadth-first distance map and its point class.
#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>

#include "game/maze.h"
#include "test_support.h"

namespace kestrune {
namespace {

// The search as a frontier list of points per level, each point reached through Loc:
// the slow form the game's map must equal cell for cell.
void ReferenceDistanceMap(const GameState& s, CellGrid& map) {
    for (int w = 4; w <= 16; ++w)
        for (int z = 4; z <= 16; ++z)
            for (int y = 4; y <= 16; ++y)
                for (int x = 4; x <= 16; ++x) map[CellIndex(x, y, z, w)] = 0;
    auto cell = [](const clsPoint& p) { return CellIndex(p.X, p.Y, p.Z, p.W); };
    clsPoint goal;
    for (int a = 0; a < 4; ++a) goal.Loc(a, s.GoalPos[a]);
    map[cell(goal)] = 1;
    std::list<clsPoint> frontier{goal};
    int level = 1;
    for (;;) {
        ++level;
        std::list<clsPoint> next;
        for (const clsPoint& p : frontier) {
            for (int a = 0; a < 4; ++a) {
                for (int offset : {-1, 1}) {
                    clsPoint q = p;
                    q.Loc(a, q.Loc(a) + offset);
                    int16_t& value = map[cell(q)];
                    if (s.MazeSpace[cell(q)] == CellOpen) {
                        if (value == 0) {
                            value = static_cast<int16_t>(level);
                            next.push_back(q);
                        }
                    } else if (value == 0) {
                        value = 32767;
                    }
                }
            }
        }
        if (next.empty()) break;
        frontier = std::move(next);
    }
}

// Loc reads and writes X, Y, Z, W by axis number; other numbers read 0 and write nothing.
TEST(Point, LocAddressesTheFourAxesAndIgnoresOthers) {
    clsPoint p;
    EXPECT_EQ(p.X + p.Y + p.Z + p.W, 0);
    p.Loc(0, 7);
    p.Loc(1, -3);
    p.Loc(2, 20);
    p.Loc(3, 100000);
    EXPECT_EQ(p.X, 7);
    EXPECT_EQ(p.Y, -3);
    EXPECT_EQ(p.Z, 20);
    EXPECT_EQ(p.W, 100000);
    EXPECT_EQ(p.Loc(0), 7);
    EXPECT_EQ(p.Loc(3), 100000);
    p.Loc(4, 9);
    p.Loc(-1, 9);
    EXPECT_EQ(p.Loc(4), 0);
    EXPECT_EQ(p.Loc(-1), 0);
    EXPECT_EQ(p.X + p.Y + p.Z + p.W, 7 - 3 + 20 + 100000);
}

// A hand-made 4D grid: a corridor bending through all four axes from the goal, an open
// cell walled off, and the values each cell must get.
TEST(DistanceMap, CorridorGetsStepsPlusOneAndItsWallsTheSolidValue) {
    auto s = test::MakeState();
    FillTowerBorder(*s);
    FillInterior(s->MazeSpace, CellWall);
    s->GoalPos = {4, 4, 4, 4};
    s->MazeSpace[CellIndex(4, 4, 4, 4)] = CellGoal;
    const int corridor[][4] = {{5, 4, 4, 4}, {6, 4, 4, 4}, {6, 5, 4, 4},
                               {6, 5, 5, 4}, {6, 5, 5, 5}, {6, 5, 5, 6}};
    for (const auto& c : corridor) s->MazeSpace[CellIndex(c[0], c[1], c[2], c[3])] = CellOpen;
    s->MazeSpace[CellIndex(10, 10, 10, 10)] = CellOpen;  // unreachable
    FillInterior(s->DistanceMap, 555);                   // stale values of an older maze
    s->DistanceMap[CellIndex(0, 0, 0, 0)] = 555;
    s->DistanceMap[CellIndex(20, 10, 10, 10)] = 555;

    MakeDistanceMap(*s);

    auto at = [&](int x, int y, int z, int w) { return s->DistanceMap[CellIndex(x, y, z, w)]; };
    EXPECT_EQ(at(4, 4, 4, 4), 1);
    for (int k = 0; k < 6; ++k) {
        const auto& c = corridor[k];
        EXPECT_EQ(at(c[0], c[1], c[2], c[3]), k + 2) << "corridor cell " << k;
    }
    EXPECT_EQ(at(4, 5, 4, 4), 32767);  // wall beside the goal
    EXPECT_EQ(at(3, 4, 4, 4), 32767);  // border beside the goal
    EXPECT_EQ(at(7, 5, 5, 6), 32767);  // wall beside the corridor's end
    EXPECT_EQ(at(10, 10, 10, 10), 0);  // open but cut off
    EXPECT_EQ(at(10, 10, 10, 11), 0);  // wall beside nothing reached
    EXPECT_EQ(at(12, 12, 12, 12), 0);  // stale value cleared
    EXPECT_EQ(at(0, 0, 0, 0), 555);    // the border is not cleared
    EXPECT_EQ(at(20, 10, 10, 10), 555);

    // A later search from elsewhere clears the interior but keeps the border's old marks.
    s->MazeSpace[CellIndex(4, 4, 4, 4)] = CellOpen;
    s->MazeSpace[CellIndex(10, 10, 10, 10)] = CellGoal;
    s->GoalPos = {10, 10, 10, 10};
    MakeDistanceMap(*s);
    EXPECT_EQ(at(10, 10, 10, 10), 1);
    EXPECT_EQ(at(4, 4, 4, 4), 0);
    EXPECT_EQ(at(5, 4, 4, 4), 0);
    EXPECT_EQ(at(10, 10, 10, 11), 32767);
    EXPECT_EQ(at(3, 4, 4, 4), 32767);
}

// Generated mazes of every dimension, and tower floors: the map equals the per-level
// frontier search cell for cell, border included.
TEST(DistanceMap, MatchesTheLevelByLevelSearchOnGeneratedMazes) {
    test::RecordingMusic music;
    test::RecordingTexts texts;
    auto reference = std::make_unique<CellGrid>();
    for (int dimIndex = 1; dimIndex <= 3; ++dimIndex) {
        for (int difficulty : {1, 7}) {
            auto s = test::PracticeState(dimIndex, difficulty);
            test::ScriptedRandom random;
            random.clockSeed = 40 + dimIndex * 8 + difficulty;
            MakeMaze(*s, random, music, texts);
            *reference = s->DistanceMap;
            ReferenceDistanceMap(*s, *reference);
            EXPECT_EQ(*reference, s->DistanceMap)
                << "dimIndex " << dimIndex << " difficulty " << difficulty;
        }
    }
    for (int floor : {1, 56, 112}) {
        auto s = test::TowerState(floor);
        test::ScriptedRandom random;
        MakeMaze(*s, random, music, texts);
        *reference = s->DistanceMap;
        ReferenceDistanceMap(*s, *reference);
        EXPECT_EQ(*reference, s->DistanceMap) << "floor " << floor;
    }
}

// A 2D maze: the search looks along all four axes, so every cell beside the plane that
// borders a reached cell is marked, and nothing further off the plane.
TEST(DistanceMap, TwoDimensionalMazeMarksTheCellsBesideItsPlane) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    s->GameMode = kModePractice;
    FillTowerBorder(*s);
    s->DimIndex = 1;
    s->Difficulty = 3;
    test::ScriptedRandom random;
    test::RecordingMusic music;
    test::RecordingTexts texts;
    MakeMaze(*s, random, music, texts);

    int reached = 0;
    for (int y = 4; y <= 16; ++y) {
        for (int x = 4; x <= 16; ++x) {
            const int16_t d = s->DistanceMap[CellIndex(x, y, 4, 4)];
            const bool open = s->MazeSpace[CellIndex(x, y, 4, 4)] != CellWall;
            EXPECT_EQ(open, d != 0 && d != 32767) << x << "," << y;
            if (!open) continue;
            ++reached;
            for (const auto& beside : {CellIndex(x, y, 3, 4), CellIndex(x, y, 5, 4),
                                       CellIndex(x, y, 4, 3), CellIndex(x, y, 4, 5)})
                EXPECT_EQ(s->DistanceMap[beside], 32767) << x << "," << y;
            EXPECT_EQ(s->DistanceMap[CellIndex(x, y, 6, 4)], 0);
            EXPECT_EQ(s->DistanceMap[CellIndex(x, y, 5, 5)], 0);
        }
    }
    EXPECT_GT(reached, 40);
    // Open cells beside the goal are 2; (16, 16) is a corner, so at most two neighbours.
    int besideGoal = 0;
    for (const int index : {CellIndex(15, 16, 4, 4), CellIndex(16, 15, 4, 4)}) {
        if (s->MazeSpace[index] == CellOpen) {
            EXPECT_EQ(s->DistanceMap[index], 2);
            ++besideGoal;
        } else {
            EXPECT_EQ(s->DistanceMap[index], 32767);
        }
    }
    EXPECT_GE(besideGoal, 1);
}

}  // namespace
}  // namespace kestrune
