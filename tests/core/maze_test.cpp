// Maze generation: the invariants of every maze, tower floors, and the order of the draws.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/maze.h"
#include "game/maze_code.h"
#include "test_support.h"

namespace kestrune {
namespace {

using test::RecordingMusic;
using test::RecordingTexts;
using test::ScriptedRandom;

using test::ForEachCell;
using test::IsInterior;

using test::PracticeState;

using test::TowerState;

// Number of non-wall interior cells reachable from start through non-wall cells, and the
// number of non-wall interior cells in all.
std::pair<int, int> ReachableAndOpen(const GameState& s, std::array<int, 4> start) {
    std::vector<uint8_t> seen(kCellCount, 0);
    std::vector<int> stack{CellIndex(start)};
    seen[CellIndex(start)] = 1;
    int reached = 0;
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        ++reached;
        for (int offset : {1, -1, 21, -21, 441, -441, 9261, -9261}) {
            const int to = at + offset;
            const int16_t c = s.MazeSpace[to];
            if (!seen[to] && (c == CellOpen || c == CellGoal)) {
                seen[to] = 1;
                stack.push_back(to);
            }
        }
    }
    int open = 0;
    ForEachCell([&](int x, int y, int z, int w) {
        const int16_t c = s.MazeSpace[CellIndex(x, y, z, w)];
        if (IsInterior(x, y, z, w) && (c == CellOpen || c == CellGoal)) ++open;
    });
    return {reached, open};
}

// What every finished maze must satisfy, whatever its dimension, level or mode.
void ExpectSoundMaze(const GameState& s, std::array<int, 4> start) {
    int goals = 0;
    int strays = 0;
    int borderChanged = 0;
    int offPlane = 0;
    ForEachCell([&](int x, int y, int z, int w) {
        const int16_t c = s.MazeSpace[CellIndex(x, y, z, w)];
        if (!IsInterior(x, y, z, w)) {
            borderChanged += c != CellBorder;
            return;
        }
        goals += c == CellGoal;
        strays += c != CellOpen && c != CellWall && c != CellGoal;
        const bool used = (s.DimIndex >= 2 || z == 4) && (s.DimIndex >= 3 || w == 4);
        offPlane += !used && c != CellWall;
    });
    EXPECT_EQ(goals, 1);
    EXPECT_EQ(strays, 0);
    EXPECT_EQ(borderChanged, 0) << "the border was written";
    EXPECT_EQ(offPlane, 0) << "the maze left its plane or slice";
    EXPECT_EQ(s.MazeSpace[CellIndex(s.GoalPos[0], s.GoalPos[1], s.GoalPos[2], s.GoalPos[3])],
              CellGoal);
    const auto [reached, open] = ReachableAndOpen(s, start);
    EXPECT_EQ(reached, open) << "open cells cut off from the start";
    EXPECT_EQ(s.DistanceMap[CellIndex(s.GoalPos[0], s.GoalPos[1], s.GoalPos[2], s.GoalPos[3])], 1);
    EXPECT_NE(s.DistanceMap[CellIndex(start)], 0) << "the start is not reached from the goal";
}

// Every practice maze, over many seeds per dimension and level: a single goal in the far
// corner of the used axes, its readout, all open cells joined to the start, nothing outside
// the plane or slice, the border untouched, green walls, the music restarted, and the draws
// of more than 1000 relocations.
TEST(PracticeMaze, EveryDimensionAndLevelBuildsAConnectedMazeInItsSpace) {
    const std::array<const char*, 3> readouts = {"12,12,0,0です", "12,12,12,0です",
                                                 "12,12,12,12です"};
    const std::array<std::array<int16_t, 4>, 3> goals = {
        {{16, 16, 4, 4}, {16, 16, 16, 4}, {16, 16, 16, 16}}};
    for (int dimIndex = 1; dimIndex <= 3; ++dimIndex) {
        for (int difficulty : {1, 3, 5, 7}) {
            for (int seed = 1; seed <= 12; ++seed) {
                SCOPED_TRACE("dimIndex " + std::to_string(dimIndex) + " difficulty " +
                             std::to_string(difficulty) + " seed " + std::to_string(seed));
                auto s = PracticeState(dimIndex, difficulty);
                ScriptedRandom random;
                random.clockSeed = seed * 7919 + dimIndex * 31 + difficulty;
                RecordingMusic music;
                RecordingTexts texts;
                texts.caption = "unchanged";
                MakeMaze(*s, random, music, texts);

                ExpectSoundMaze(*s, {4, 4, 4, 4});
                EXPECT_EQ(s->GoalPos, goals[dimIndex - 1]);
                EXPECT_EQ(texts.goalCaption, readouts[dimIndex - 1]);
                EXPECT_EQ(texts.caption, "unchanged");
                EXPECT_EQ(s->WallColour, (std::array<int16_t, 3>{0, 255, 0}));
                EXPECT_EQ(s->Difficulty, difficulty);
                EXPECT_EQ(music.calls, (std::vector<std::string>{"stop", "start bgm.mid"}));
                // A fresh number from the clock-seeded generator, which then restarts from it.
                EXPECT_EQ(random.resets, (std::vector<int32_t>{s->MazeNumber}));
                // More than 1000 relocations, each after a tunnel that ends with limit + 1
                // attempts of three draws (the limit is at least 1, 3, 5), each drawing its
                // step and a coordinate per used axis.
                const int perRelocation = 3 * (2 * dimIndex) + 1 + (dimIndex + 1);
                EXPECT_GE(random.draws, 2 + 1001 * perRelocation);
                if (HasFailure()) return;
            }
        }
    }
}

// A new maze replaces the whole interior: a 2D maze after a 4D one keeps nothing of it.
TEST(PracticeMaze, RewritesTheWholeInteriorOverAnOlderMaze) {
    auto s = PracticeState(3, 7);
    ScriptedRandom random;
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, random, music, texts);
    s->DimIndex = 1;
    s->Difficulty = 1;
    random.clockSeed = 99;
    MakeMaze(*s, random, music, texts);
    ExpectSoundMaze(*s, {4, 4, 4, 4});
    EXPECT_EQ(s->DistanceMap[CellIndex(16, 16, 16, 16)], 0);
}

// Practice mazes differ from one clock seed to the next.
TEST(PracticeMaze, DifferentSeedsGiveDifferentMazes) {
    auto a = PracticeState(2, 3);
    auto b = PracticeState(2, 3);
    ScriptedRandom ra, rb;
    ra.clockSeed = 1;
    rb.clockSeed = 2;
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*a, ra, music, texts);
    MakeMaze(*b, rb, music, texts);
    EXPECT_NE(a->MazeSpace, b->MazeSpace);
}

// Floors reachable in play, from the new-tower start: sound mazes with even staircase
// coordinates, the floor in the caption and a colour that adds up to about 300.
TEST(TowerFloor, FloorsAreSoundMazesWithCaptionGoalAndColour) {
    for (int floor : {1, 2, 3, 7, 8, 15, 16, 55, 56, 99, 100, 111, 112, 113, 500, 32767}) {
        SCOPED_TRACE("floor " + std::to_string(floor));
        auto s = TowerState(floor);
        ScriptedRandom random;
        RecordingMusic music;
        RecordingTexts texts;
        MakeMaze(*s, random, music, texts);

        ExpectSoundMaze(*s, {4, 4, 4, 4});
        EXPECT_EQ(random.resets, (std::vector<int32_t>{floor}));
        EXPECT_EQ(texts.caption, std::string("5duzu：") + std::to_string(floor) + "階");
        std::string readout;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(s->GoalPos[i] % 2, 0);
            EXPECT_GE(s->GoalPos[i], 4);
            EXPECT_LE(s->GoalPos[i], 16);
            if (i > 0) readout += ',';
            readout += std::to_string(s->GoalPos[i] - 4);
        }
        EXPECT_EQ(texts.goalCaption, readout + "です");
        const int sum = s->WallColour[0] + s->WallColour[1] + s->WallColour[2];
        EXPECT_GE(sum, 299);
        EXPECT_LE(sum, 301);
        for (int16_t c : s->WallColour) EXPECT_GE(c, 0);
        EXPECT_EQ(music.calls, (std::vector<std::string>{"stop", "start bgm.mid"}));
        if (HasFailure()) return;
    }
}

// The same floor from the same start cell is the same floor, down to the distance map;
// another start cell carves another maze under the same staircase and difficulty.
TEST(TowerFloor, SameFloorAndStartRebuildTheIdenticalFloor) {
    auto first = TowerState(7);
    auto again = TowerState(7);
    auto moved = TowerState(7);
    for (auto* s : {first.get(), again.get(), moved.get()}) {
        s->StartPose[0] = {10, 6, 4, 12};
    }
    moved->StartPose[0] = {4, 4, 4, 4};
    RecordingMusic music;
    RecordingTexts texts;
    ScriptedRandom r1, r2, r3;
    // A generator used before gives the same floor: the floor number alone seeds it.
    r2.clockSeed = 5;
    r2.SeedFromClock();
    r2.Next();
    MakeMaze(*first, r1, music, texts);
    MakeMaze(*again, r2, music, texts);
    MakeMaze(*moved, r3, music, texts);

    EXPECT_EQ(first->MazeSpace, again->MazeSpace);
    EXPECT_EQ(first->GoalPos, again->GoalPos);
    EXPECT_EQ(first->Difficulty, again->Difficulty);
    EXPECT_EQ(first->WallColour, again->WallColour);
    EXPECT_EQ(first->DistanceMap, again->DistanceMap);
    ExpectSoundMaze(*first, {10, 6, 4, 12});

    EXPECT_NE(first->MazeSpace, moved->MazeSpace);
    EXPECT_EQ(first->GoalPos, moved->GoalPos);
    EXPECT_EQ(first->Difficulty, moved->Difficulty);
}

// Difficulty per floor: two draws add floor \ 8 up to floor 111, one draw gives 4..10 from
// floor 112. The lowest and highest draws give the ends of each range.
TEST(TowerFloor, DifficultyRangesFollowTheFloorNumber) {
    struct Case {
        int floor;
        int lowest;
        int highest;
    };
    for (const Case c : {Case{1, 1, 5}, Case{56, 8, 12}, Case{111, 14, 18}, Case{112, 4, 10},
                         Case{32767, 4, 10}}) {
        SCOPED_TRACE("floor " + std::to_string(c.floor));
        for (const double r : {0.0, 0.999999}) {
            auto s = TowerState(c.floor);
            ScriptedRandom random;
            // Draw 1 is skipped, 2..5 are the staircase, then the difficulty draws.
            random.fixedDraws = {{6, r}, {7, r}};
            RecordingMusic music;
            RecordingTexts texts;
            MakeMaze(*s, random, music, texts);
            EXPECT_EQ(s->Difficulty, r == 0.0 ? c.lowest : c.highest);
        }
        auto s = TowerState(c.floor);
        StandardRandom random;
        RecordingMusic music;
        RecordingTexts texts;
        MakeMaze(*s, random, music, texts);
        EXPECT_GE(s->Difficulty, c.lowest);
        EXPECT_LE(s->Difficulty, c.highest);
    }
}

// After the reset one number is skipped; the next four place the staircase at 2·⌊7r⌋ + 4.
TEST(TowerFloor, SkipsOneDrawThenPlacesTheStaircase) {
    auto s = TowerState(3);
    ScriptedRandom random;
    random.fixedDraws = {{1, 0.99}, {2, 0.0}, {3, 0.99}, {4, 0.5}, {5, 0.3}};
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, random, music, texts);
    EXPECT_EQ(s->GoalPos, (std::array<int16_t, 4>{4, 16, 10, 8}));
    EXPECT_EQ(texts.goalCaption, "0,12,6,4です");
    EXPECT_EQ(s->MazeSpace[CellIndex(4, 16, 10, 8)], CellGoal);
}

// A staircase drawn on the start cell becomes the goal the player starts on.
TEST(TowerFloor, StaircaseOnTheStartCellBecomesTheGoal) {
    auto s = TowerState(9);
    ScriptedRandom random;
    random.fixedDraws = {{2, 0.0}, {3, 0.0}, {4, 0.0}, {5, 0.0}};
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, random, music, texts);
    EXPECT_EQ(s->GoalPos, (std::array<int16_t, 4>{4, 4, 4, 4}));
    EXPECT_EQ(s->MazeSpace[CellIndex(4, 4, 4, 4)], CellGoal);
    EXPECT_EQ(s->DistanceMap[CellIndex(4, 4, 4, 4)], 1);
    ExpectSoundMaze(*s, {4, 4, 4, 4});
}

// The last three draws are the colour: each ⌊255r⌋ + 1, then scaled to a sum of 300 with
// halves rounded to even: (32, 96, 128) sums to 256 and scales to 37.5, 112.5 and 150.
TEST(TowerFloor, WallColourScalesToThreeHundredWithHalvesToEven) {
    auto s = TowerState(20);
    ScriptedRandom counting;
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, counting, music, texts);
    const int last = counting.draws;

    s = TowerState(20);
    ScriptedRandom random;
    random.fixedDraws = {{last - 2, 31.5 / 255}, {last - 1, 95.5 / 255}, {last, 127.5 / 255}};
    MakeMaze(*s, random, music, texts);
    EXPECT_EQ(random.draws, last);
    EXPECT_EQ(s->WallColour, (std::array<int16_t, 3>{38, 112, 150}));

    s = TowerState(20);
    ScriptedRandom other;
    other.fixedDraws = {{last - 2, 0.0}, {last - 1, 0.5}, {last, 0.999999}};
    MakeMaze(*s, other, music, texts);
    // (1, 128, 255) of 384: 0.78, 100 and 199.2.
    EXPECT_EQ(s->WallColour, (std::array<int16_t, 3>{1, 100, 199}));
}

// The tests below script the first draws and look at the grid as a later draw is made.
struct Snapshot {
    CellGrid cells{};
    bool taken = false;
};

void SnapshotAt(ScriptedRandom& random, const GameState& s, int draw, Snapshot& shot) {
    random.onDraw = [&s, &shot, draw](int n) {
        if (n == draw) {
            shot.cells = s.MazeSpace;
            shot.taken = true;
        }
    };
}

int16_t At(const Snapshot& shot, int x, int y, int z, int w) {
    return shot.cells[CellIndex(x, y, z, w)];
}

// Level 初級 starts with step 1 whatever the draw, and the direction is the first of each
// attempt's three numbers (t, then a and b for the limit). Level 中級 steps 2 on a high draw.
TEST(DrawOrder, BeginnerStartsWithStepOneAndTheDirectionDrawComesFirst) {
    for (int difficulty : {1, 3}) {
        SCOPED_TRACE("difficulty " + std::to_string(difficulty));
        auto s = PracticeState(3, difficulty);
        ScriptedRandom random;
        // Step draw, then t = 0 (+x), a = b = 0.6 (which as a direction would be +z).
        random.script = {0.99, 0.0, 0.6, 0.6};
        Snapshot shot;
        SnapshotAt(random, *s, 5, shot);
        RecordingMusic music;
        RecordingTexts texts;
        MakeMaze(*s, random, music, texts, 0);  // a given number: no number draw
        ASSERT_TRUE(shot.taken);
        EXPECT_EQ(At(shot, 5, 4, 4, 4), CellOpen);
        EXPECT_EQ(At(shot, 6, 4, 4, 4), difficulty == 1 ? CellWall : CellOpen);
        EXPECT_EQ(At(shot, 4, 4, 5, 4), CellWall);
    }
}

// The limit is nearest(p + ⌊p·b⌋ + ⌊p·a⌋) with p = 2^1.5 in 3D: a = b = 0.99 gives
// nearest(6.83) = 7, so the seventh attempt from one cell may still carve; the count runs on
// over attempts that hit an open or border cell.
TEST(DrawOrder, AttemptLimitRoundsToNearestAndCountsEveryAttempt) {
    for (const bool seventhCarves : {true, false}) {
        auto s = PracticeState(2, 3);
        ScriptedRandom random;
        random.script = {0.99};  // step 2
        for (int i = 0; i < 6; ++i) random.script.insert(random.script.end(), {0.25, 0.99, 0.99});
        // Seventh attempt: +x; with b lowered to 0.5 the limit is nearest(5.83) = 6.
        random.script.insert(random.script.end(), {0.0, 0.99, seventhCarves ? 0.99 : 0.5});
        Snapshot shot;
        SnapshotAt(random, *s, 1 + 21 + 1, shot);
        RecordingMusic music;
        RecordingTexts texts;
        MakeMaze(*s, random, music, texts, 0);  // a given number: no number draw
        ASSERT_TRUE(shot.taken);
        EXPECT_EQ(At(shot, 6, 4, 4, 4), seventhCarves ? CellOpen : CellWall);
        EXPECT_EQ(At(shot, 5, 4, 4, 4), seventhCarves ? CellOpen : CellWall);
    }
}

// From Difficulty 8 every carved step is followed by a relocation; at 7 the tunnel goes on.
// Script: step 2, carve +x to (6,4,4,4); then either a relocation (step 1, back to
// (4,4,4,4)) and a carve +y to (4,5,4,4), or, going on, two more carves along +x.
TEST(DrawOrder, DifficultyEightRelocatesAfterEveryCarve) {
    // Floor 56 gives 8 with both difficulty draws 0, floor 48 gives 7.
    for (const int floor : {56, 48}) {
        SCOPED_TRACE("floor " + std::to_string(floor));
        auto s = TowerState(floor);
        ScriptedRandom random;
        random.script = {0.5, 0.99, 0.99, 0.99, 0.99, 0.0, 0.0,    0.9, 0.0, 0.0,
                         0.0, 0.0,  0.0,  0.0,  0.0,  0.0, 0.3125, 0.0, 0.0};
        Snapshot shot;
        SnapshotAt(random, *s, 20, shot);
        RecordingMusic music;
        RecordingTexts texts;
        MakeMaze(*s, random, music, texts);
        ASSERT_TRUE(shot.taken);
        const bool relocates = floor == 56;
        EXPECT_EQ(s->Difficulty, relocates ? 8 : 7);
        EXPECT_EQ(At(shot, 5, 4, 4, 4), CellOpen);
        EXPECT_EQ(At(shot, 6, 4, 4, 4), CellOpen);
        EXPECT_EQ(At(shot, 4, 5, 4, 4), relocates ? CellOpen : CellWall);
        EXPECT_EQ(At(shot, 8, 4, 4, 4), relocates ? CellWall : CellOpen);
    }
}

// A relocation draws its step, then one coordinate per used axis, step times
// (nearest(12r) div step) plus 4, until it lands on an open cell: 12 · 0.375 = 4.5 rounds
// to 4, so the walker lands on (8, 4) at the end of a tunnel and carves on from there.
TEST(DrawOrder, RelocationRoundsHalvesToEvenAndLandsOnAnOpenCell) {
    auto s = PracticeState(1, 1);
    ScriptedRandom random;
    random.script = {0.0};  // step 1
    // Four carves along +x to (8, 4); an attempt back into the tunnel; the second attempt
    // passes the 2D limit of 1.
    for (int i = 0; i < 4; ++i) random.script.insert(random.script.end(), {0.0, 0.0, 0.0});
    random.script.insert(random.script.end(), {0.3, 0.0, 0.0, 0.0, 0.0, 0.0});
    // Relocation: step 1, then x from 0.375 and y from 0: (8, 4). Then +y from there.
    random.script.insert(random.script.end(), {0.0, 0.375, 0.0, 0.5, 0.0, 0.0});
    const int afterCarve = 1 + 12 + 6 + 3 + 3 + 1;
    Snapshot shot;
    SnapshotAt(random, *s, afterCarve, shot);
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, random, music, texts, 0);  // a given number: no number draw
    ASSERT_TRUE(shot.taken);
    EXPECT_EQ(At(shot, 8, 4, 4, 4), CellOpen);
    EXPECT_EQ(At(shot, 8, 5, 4, 4), CellOpen);
    EXPECT_EQ(At(shot, 9, 5, 4, 4), CellWall);
}

// A start with odd coordinates (a hand-edited tower file) carves no cell of the even
// lattice with steps of 2, where a step-2 relocation would search forever; generation
// must still end with a sound maze.
TEST(TowerFloor, OddStartCellStillEnds) {
    for (int floor : {56, 60, 200}) {
        SCOPED_TRACE("floor " + std::to_string(floor));
        auto s = TowerState(floor);
        s->StartPose[0] = {5, 5, 5, 5};
        ScriptedRandom random;
        // Floors take well under a million draws; stop a search that never ends.
        random.onDraw = [](int n) {
            if (n > 20000000) throw std::runtime_error("generation does not end");
        };
        RecordingMusic music;
        RecordingTexts texts;
        ASSERT_NO_THROW(MakeMaze(*s, random, music, texts));
        ExpectSoundMaze(*s, {5, 5, 5, 5});
    }
}

// The tower start fill: every cell with a coordinate outside 4..16 is border, the interior
// open, whatever the grid held before.
TEST(TowerBorder, FillsTheBorderAndClearsTheInterior) {
    auto s = test::MakeState();
    s->MazeSpace.fill(CellWall);
    FillTowerBorder(*s);
    int wrong = 0;
    ForEachCell([&](int x, int y, int z, int w) {
        const int16_t expected = IsInterior(x, y, z, w) ? CellOpen : CellBorder;
        wrong += s->MazeSpace[CellIndex(x, y, z, w)] != expected;
    });
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(s->MazeSpace[CellIndex(3, 10, 10, 10)], CellBorder);
    EXPECT_EQ(s->MazeSpace[CellIndex(10, 10, 10, 17)], CellBorder);
    EXPECT_EQ(s->MazeSpace[CellIndex(4, 16, 4, 16)], CellOpen);
}

}  // namespace
}  // namespace kestrune

namespace kestrune {
namespace {

// Every saved tower depends on the exact draw sequence: any change to it shows here.
TEST(GeneratorPin, TowerFloorsAndSeededPracticeMazesKeepTheirDigests) {
    struct Case {
        const char* name;
        std::unique_ptr<GameState> state;
        int32_t practiceSeed;  // the maze number; unused by tower floors, their floor seeds them
        uint64_t digest;
    };
    auto fromCell = [](int floor, std::array<int16_t, 4> start) {
        auto s = TowerState(floor);
        s->StartPose[0] = start;
        return s;
    };
    Case cases[] = {
        {"floor 1", TowerState(1), 0, 17522549185969886649ull},
        {"floor 7 from (10,6,4,12)", fromCell(7, {10, 6, 4, 12}), 0, 3972922895225190461ull},
        {"floor 56", TowerState(56), 0, 16706133236283982519ull},
        {"floor 112", TowerState(112), 0, 15772693030652558538ull},
        {"2D 初級", PracticeState(1, 1), 2024, 326083851625923096ull},
        {"3D 中級", PracticeState(2, 3), 2025, 11487742383159863438ull},
        {"4D 上級", PracticeState(3, 5), 2026, 842926826180980445ull},
    };
    for (Case& c : cases) {
        // The game's own generator behind the script; a practice maze restarts it from its
        // number.
        ScriptedRandom random;
        RecordingMusic music;
        RecordingTexts texts;
        const bool practice = c.state->GameMode == kModePractice;
        MakeMaze(*c.state, random, music, texts,
                 practice ? std::optional<int32_t>(c.practiceSeed) : std::nullopt);
        EXPECT_EQ(MazeDigest(*c.state), c.digest) << c.name;
    }
}

}  // namespace
}  // namespace kestrune
