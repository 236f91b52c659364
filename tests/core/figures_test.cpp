// The figure spaces "Blank" and "Circle": their cells, texts and what they leave alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/figures.h"
#include "game/maze.h"
#include "test_support.h"

namespace kestrune {
namespace {

using test::RecordingMusic;
using test::RecordingTexts;

bool InInterior(int c) {
    return c >= 4 && c <= 16;
}

using test::ForEachCell;

// A practice state after a 4D maze: border closed, a maze with its goal in the interior.
std::unique_ptr<GameState> StateAfterMaze(int dimIndex) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    s->GameMode = kModePractice;
    FillTowerBorder(*s);
    s->DimIndex = 3;
    s->Difficulty = 5;
    test::ScriptedRandom random;
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, random, music, texts);
    s->DimIndex = static_cast<int16_t>(dimIndex);
    return s;
}

struct Counts {
    int open = 0;  // open cells of the used plane, slice or box
    int openElsewhere = 0;
    int usedWalls = 0;   // walls of the used plane, slice or box
    int otherWalls = 0;  // interior walls off the used plane or slice
    int other = 0;       // interior cells holding anything else
};

Counts CountInterior(const GameState& s) {
    Counts n;
    ForEachCell([&](int x, int y, int z, int w) {
        if (!InInterior(x) || !InInterior(y) || !InInterior(z) || !InInterior(w)) return;
        const bool used = (s.DimIndex >= 2 || z == 4) && (s.DimIndex >= 3 || w == 4);
        const int16_t c = s.MazeSpace[CellIndex(x, y, z, w)];
        if (c == CellOpen) {
            (used ? n.open : n.openElsewhere) += 1;
        } else if (c == CellWall) {
            (used ? n.usedWalls : n.otherWalls) += 1;
        } else {
            ++n.other;
        }
    });
    return n;
}

// The sizes of every figure in every dimension, built over an old 4D maze.
TEST(Figure, CountsOfOpenAndWallCellsInEveryDimension) {
    struct Case {
        const char* name;
        int dimIndex;
        int open;
        int walls;
    };
    const Case cases[] = {
        {"Blank", 1, 169, 0},   {"Blank", 2, 2197, 0},    {"Blank", 3, 28561, 0},
        {"Circle", 1, 100, 69}, {"Circle", 2, 1712, 485}, {"Circle", 3, 25688, 2873},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " dimIndex " + std::to_string(c.dimIndex));
        auto s = StateAfterMaze(c.dimIndex);
        RecordingMusic music;
        RecordingTexts texts;
        MakeFigure(c.name, *s, music, texts);
        const Counts n = CountInterior(*s);
        EXPECT_EQ(n.open, c.open);
        EXPECT_EQ(n.usedWalls, c.walls);
        EXPECT_EQ(n.openElsewhere, 0);
        EXPECT_EQ(n.other, 0) << "the old goal or another code survived";
        EXPECT_EQ(n.open + n.usedWalls + n.otherWalls, 28561);
    }
}

// The ball's boundary: cells at squared distance 25 from (11, 11, ...) are open.
TEST(Figure, CircleEdgeCellsFollowTheStrictComparison) {
    RecordingMusic music;
    RecordingTexts texts;
    auto s = StateAfterMaze(1);
    MakeFigure("Circle", *s, music, texts);
    auto at = [&](int x, int y, int z, int w) { return s->MazeSpace[CellIndex(x, y, z, w)]; };
    EXPECT_EQ(at(11, 11, 4, 4), CellWall);
    EXPECT_EQ(at(7, 11, 4, 4), CellWall);   // 16
    EXPECT_EQ(at(8, 8, 4, 4), CellWall);    // 18
    EXPECT_EQ(at(6, 11, 4, 4), CellOpen);   // 25
    EXPECT_EQ(at(7, 7, 4, 4), CellOpen);    // 32
    EXPECT_EQ(at(11, 11, 5, 4), CellWall);  // off the plane

    s = StateAfterMaze(2);
    MakeFigure("Circle", *s, music, texts);
    EXPECT_EQ(at(11, 11, 7, 4), CellWall);  // 16
    EXPECT_EQ(at(11, 11, 6, 4), CellOpen);  // 25
    EXPECT_EQ(at(8, 8, 8, 4), CellOpen);    // 27
    EXPECT_EQ(at(11, 11, 11, 5), CellWall);

    s = StateAfterMaze(3);
    MakeFigure("Circle", *s, music, texts);
    EXPECT_EQ(at(4, 4, 4, 4), CellOpen);
    EXPECT_EQ(at(11, 11, 11, 7), CellWall);  // 16
    EXPECT_EQ(at(11, 11, 11, 6), CellOpen);  // 25
    EXPECT_EQ(at(9, 9, 9, 8), CellWall);     // 21
    EXPECT_EQ(at(8, 7, 11, 11), CellOpen);   // 25
    EXPECT_EQ(at(9, 9, 8, 8), CellOpen);     // 26
}

// "Blank" in 3D after a 4D maze: the slice w = 4 open, everything above it wall.
TEST(Figure, BlankInThreeDimensionsWipesAFourDimensionalMaze) {
    auto s = StateAfterMaze(2);
    RecordingMusic music;
    RecordingTexts texts;
    MakeFigure("Blank", *s, music, texts);
    int wrong = 0;
    ForEachCell([&](int x, int y, int z, int w) {
        if (!InInterior(x) || !InInterior(y) || !InInterior(z) || !InInterior(w)) return;
        wrong += s->MazeSpace[CellIndex(x, y, z, w)] != (w == 4 ? CellOpen : CellWall);
    });
    EXPECT_EQ(wrong, 0);
}

// Only the 4D "Blank" writes the border: it rebuilds a damaged one; "Circle" and the
// smaller figures leave it as it is.
TEST(Figure, FourDimensionalBlankAloneWritesTheBorder) {
    RecordingMusic music;
    RecordingTexts texts;
    auto s = test::MakeState();  // all zero, as before the first space
    s->DimIndex = 3;
    MakeFigure("Blank", *s, music, texts);
    int wrong = 0;
    ForEachCell([&](int x, int y, int z, int w) {
        const bool inside = InInterior(x) && InInterior(y) && InInterior(z) && InInterior(w);
        wrong += s->MazeSpace[CellIndex(x, y, z, w)] != (inside ? CellOpen : CellBorder);
    });
    EXPECT_EQ(wrong, 0);

    for (int dimIndex : {1, 2, 3}) {
        for (const char* name : {"Circle", "Blank"}) {
            if (dimIndex == 3 && std::string(name) == "Blank") continue;
            auto t = test::MakeState();  // border of zeros
            t->DimIndex = static_cast<int16_t>(dimIndex);
            MakeFigure(name, *t, music, texts);
            int borderWritten = 0;
            ForEachCell([&](int x, int y, int z, int w) {
                const bool inside =
                    InInterior(x) && InInterior(y) && InInterior(z) && InInterior(w);
                borderWritten += !inside && t->MazeSpace[CellIndex(x, y, z, w)] != 0;
            });
            EXPECT_EQ(borderWritten, 0) << name << " dimIndex " << dimIndex;
        }
    }
}

// Captions, goal readout, green walls and the music around it; the maze's goal, distance
// map, level and the pose stay as they were.
TEST(Figure, SetsTextsColourAndMusicAndLeavesTheMazeRecords) {
    struct Case {
        const char* name;
        int dimIndex;
        const char* caption;
    };
    const Case cases[] = {
        {"Blank", 1, "2次元迷路： ブランク"}, {"Blank", 2, "3次元迷路： ブランク"},
        {"Blank", 3, "4次元迷路： ブランク"}, {"Circle", 1, "2次元迷路： 球"},
        {"Circle", 2, "3次元迷路： 球"},      {"Circle", 3, "4次元迷路： 球"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        auto s = StateAfterMaze(c.dimIndex);
        s->WallColour = {10, 20, 30};
        s->PlayerPos = {6, 7, 8, 9};
        s->Orientation[0] = {0, 1, 0, 0};
        const auto goal = s->GoalPos;
        const auto difficulty = s->Difficulty;
        const auto pose = s->Orientation;
        auto distances = std::make_unique<CellGrid>(s->DistanceMap);
        RecordingMusic music;
        RecordingTexts texts;
        MakeFigure(c.name, *s, music, texts);
        EXPECT_EQ(texts.caption, c.caption);
        EXPECT_EQ(texts.goalCaption, "ありません");
        EXPECT_EQ(s->WallColour, (std::array<int16_t, 3>{0, 255, 0}));
        EXPECT_EQ(music.calls, (std::vector<std::string>{"stop", "start bgm.mid"}));
        EXPECT_EQ(s->GoalPos, goal);
        EXPECT_EQ(s->Difficulty, difficulty);
        EXPECT_TRUE(s->DistanceMap == *distances);
        EXPECT_EQ(s->PlayerPos, (Vec4{6, 7, 8, 9}));
        EXPECT_EQ(s->Orientation, pose);
    }
}

// An unknown name changes no cell and no caption, but still sets the readout, the colour
// and the music.
TEST(Figure, UnknownNameChangesNoCellButStillSetsTheReadout) {
    auto s = StateAfterMaze(3);
    auto before = std::make_unique<CellGrid>(s->MazeSpace);
    RecordingMusic music;
    RecordingTexts texts;
    texts.caption = "unchanged";
    MakeFigure("Square", *s, music, texts);
    EXPECT_TRUE(s->MazeSpace == *before);
    EXPECT_EQ(texts.caption, "unchanged");
    EXPECT_EQ(texts.goalCaption, "ありません");
    EXPECT_EQ(s->WallColour, (std::array<int16_t, 3>{0, 255, 0}));
    EXPECT_EQ(music.calls, (std::vector<std::string>{"stop", "start bgm.mid"}));
}

}  // namespace
}  // namespace kestrune
