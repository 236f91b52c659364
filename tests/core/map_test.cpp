// The map of explored cells: which cells count as met, and the pixels the map shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/fake_game_window.h"
#include "core/logic_rig.h"
#include "game/maze.h"
#include "game/maze_code.h"
#include "navigation/explored.h"
#include "navigation/game_window_logic.h"
#include "navigation/hint.h"
#include "render/map_view.h"
#include "render/pixel_canvas.h"
#include "test_support.h"

namespace kestrune {
namespace {

Vec4 Along(Vec4 c, int axis, int delta) {
    c[static_cast<size_t>(axis)] += delta;
    return c;
}

// The top-left pixel of a cell on the map.
Point CellPixel(const MapLayout& l, const Vec4& c) {
    return {l.left + (c[2] - 4) * l.LayerStep() + (c[0] - 4) * l.cell,
            l.top + (c[3] - 4) * l.LayerStep() + (c[1] - 4) * l.cell};
}

uint32_t PixelAt(const BufferCanvas& canvas, Point p) {
    return canvas.Data()[static_cast<size_t>(p.y * canvas.Width() + p.x)];
}

uint64_t Digest(const BufferCanvas& canvas) {
    uint64_t h = 14695981039346656037ull;
    const uint32_t* p = canvas.Data();
    for (int i = 0; i < canvas.Width() * canvas.Height(); ++i) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
    return h;
}

// The map's pixels, painted afresh in one go.
std::unique_ptr<BufferCanvas> FreshMap(const GameState& s, const ExploredCells& e) {
    const MapLayout l = MapLayoutFor(e.Dimension());
    auto canvas = std::make_unique<BufferCanvas>(l.width, l.height, PixelFormat::Xrgb32);
    MapView view;
    view.Draw(s, e, *canvas);
    return canvas;
}

// In 2, 3 and 4 dimensions a walk down a corridor that turns onto the space's last axis:
// the cells stood on and every cell beside them along the space's axes are met, nothing
// further, nothing off the space's axes; a wall once met stays on the map; the goal counts
// only once it is straight ahead down the open corridor. The map painted step by step
// matches the map painted afresh, with met walls in the wall colour and the rest blank.
TEST(ExploredMap, AWalkMeetsItsNeighboursAndTheGoalInViewInEveryDimension) {
    for (int dimension = 2; dimension <= 4; ++dimension) {
        SCOPED_TRACE(dimension);
        const int last = dimension - 1;
        auto s = test::PracticeState(dimension - 1, 1);
        FillInterior(s->MazeSpace, CellWall);
        s->WallColour = {0, 255, 0};
        const Vec4 start{4, 4, 4, 4}, corner{6, 4, 4, 4};
        for (const Vec4& c : {start, Vec4{5, 4, 4, 4}, corner, Along(corner, last, 1),
                              Along(corner, last, 2), Along(corner, last, 3)})
            s->MazeSpace[CellIndex(c)] = CellOpen;
        const Vec4 goal = Along(corner, last, 4);
        s->MazeSpace[CellIndex(goal)] = CellGoal;

        ExploredCells e;
        e.Clear(dimension);
        const MapLayout l = MapLayoutFor(dimension);
        BufferCanvas canvas(l.width, l.height, PixelFormat::Xrgb32);
        MapView view;
        auto visit = [&](const Vec4& at) {
            s->PlayerPos = at;
            e.Visit(*s);
            view.Draw(*s, e, canvas);
        };
        s->Orientation = kIdentity;
        visit(start);
        const Vec4 sideWall = Along(start, 1, 1);
        EXPECT_TRUE(e.Seen(CellIndex(Along(start, 0, 1))));
        EXPECT_TRUE(e.Seen(CellIndex(sideWall)));
        EXPECT_TRUE(e.Seen(CellIndex(Along(start, last, 1))));
        if (dimension < 4) {
            EXPECT_FALSE(e.Seen(CellIndex(Along(start, dimension, 1))));
        }
        EXPECT_FALSE(e.Seen(CellIndex(corner)));  // open, but two cells away
        EXPECT_EQ(PixelAt(canvas, CellPixel(l, corner)), canvas.PixelOf(kMapUnseen));
        visit({5, 4, 4, 4});
        visit(corner);
        EXPECT_FALSE(e.Seen(CellIndex(goal)));  // facing +x, the corridor ahead is walled
        EXPECT_FALSE(e.Seen(CellIndex(Along(corner, last, 2))));
        // Face the last axis: the goal is at the end of the corridor ahead.
        s->Orientation = kIdentity;
        s->Orientation[0][0] = 0;
        s->Orientation[static_cast<size_t>(last)][0] = 1;
        s->Orientation[0][static_cast<size_t>(last)] = 1;
        s->Orientation[static_cast<size_t>(last)][static_cast<size_t>(last)] = 0;
        visit(corner);
        EXPECT_TRUE(e.Seen(CellIndex(goal)));
        EXPECT_FALSE(e.Seen(CellIndex(Along(corner, last, 2))));
        EXPECT_TRUE(e.Visited(CellIndex(start)));
        EXPECT_FALSE(e.Visited(CellIndex(Along(corner, last, 1))));
        // Far from the start now, its side wall is still on the map.
        EXPECT_TRUE(e.Seen(CellIndex(sideWall)));
        EXPECT_EQ(PixelAt(canvas, CellPixel(l, sideWall)), canvas.PixelOf(MakeColour(0, 255, 0)));
        EXPECT_EQ(PixelAt(canvas, CellPixel(l, Along(corner, last, 2))),
                  canvas.PixelOf(kMapUnseen));

        const auto fresh = FreshMap(*s, e);
        EXPECT_TRUE(std::equal(canvas.Data(), canvas.Data() + l.width * l.height, fresh->Data()));
    }
}

class MapLogicTest : public ::testing::Test, protected test::LogicRig {
protected:
    void SetUp() override {
        settings.WriteSetting(kSettingsSection, "Animation", "-1");
        FillTowerBorder(*state);
    }
    int SeenCount(const GameWindowLogic& logic) const {
        int n = 0;
        for (int i = 0; i < kCellCount; ++i) n += logic.Explored().Seen(i) ? 1 : 0;
        return n;
    }
};

// A player's evening: the map turned on (and so remembered), a 4D 上級 maze, the hint and
// five steps. The map shows exactly these pixels; the goal, far away, is not on it; a new
// maze forgets everything but the start and its eight neighbours.
TEST_F(MapLogicTest, HintAndStepsInA4DMazeGiveThePinnedMapAndANewMazeForgetsIt) {
    auto logic = MakeLogic();
    logic->Form_Load();
    EXPECT_FALSE(window.mapShown);
    logic->mnuMap_Click();
    EXPECT_TRUE(window.mapShown);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Map", "?"), "1");

    ASSERT_TRUE(logic->OpenMazeCode("4D-3-0002026-9"));
    for (int i = 0; i < 5; ++i) {
        logic->mnuSetDirection_Click();
        logic->Ahead_Click(0);
    }
    EXPECT_FALSE(logic->Explored().Seen(CellIndex(state->GoalPos)));
    EXPECT_EQ(Digest(window.mapCanvas), 8396072510495254953u);
    const auto fresh = FreshMap(*state, logic->Explored());
    EXPECT_EQ(Digest(*fresh), Digest(window.mapCanvas));

    // Opening the 2D submenu alone changes no space: the map stays four-dimensional.
    logic->mnuFMJJigen_Click(1);
    logic->Rot_Click(0);
    EXPECT_EQ(window.mapCanvas.Width(), MapLayoutFor(4).width);
    logic->mnuFMJJigen_Click(3);
    logic->mnuFMRe_Click();
    EXPECT_EQ(SeenCount(*logic), 9);

    // The next run starts with the map shown; turning it off is remembered too.
    auto next = MakeLogic();
    window.mapShown = false;
    next->Form_Load();
    EXPECT_TRUE(window.mapShown);
    next->mnuMap_Click();
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Map", "?"), "0");
}

// A newcomer in 4D 上級 mazes with the map and no hint. They know only what the map shows:
// which cells were stood on, which were seen, and what a seen cell is. They walk through cells
// stood on to the nearest seen open cell not yet stood on (the goal first once it is on the
// map), turning and stepping as on the keypad. Every step lands, since the map showed the
// cell open; the goal is on the map before it is stepped onto; the walk stays within twice
// the maze's open cells; the clear comes with its record prompt.
TEST_F(MapLogicTest, ANewcomerFindsTheGoalOf4DMazesWithTheMapAlone) {
    auto logic = MakeLogic();
    logic->Form_Load();
    logic->mnuMap_Click();
    const ExploredCells& map = logic->Explored();
    for (int32_t number : {2026, 1234567, 9999999}) {
        const std::string code = FormatMazeCode({3, 3, number});
        SCOPED_TRACE(code);
        ASSERT_TRUE(logic->OpenMazeCode(code));
        EXPECT_FALSE(window.clearVisible);
        effects.played.clear();
        const int beeps = dialogs.beeps;
        const int goal = CellIndex(state->GoalPos);
        EXPECT_FALSE(map.Seen(goal));
        const int axes = map.Dimension();

        // What the map lets the player walk into: a seen cell that is open or the goal.
        auto walkable = [&](int cell) {
            if (!map.Seen(cell)) return false;
            const int16_t c = state->MazeSpace[static_cast<size_t>(cell)];
            return c == CellOpen || c == CellGoal;
        };
        // The cells to walk to the next cell to explore, the player's cell excluded.
        auto nextWalk = [&] {
            const int here = CellIndex(state->PlayerPos);
            std::map<int, int> from{{here, here}};
            std::deque<int> queue{here};
            int target = -1;
            // The nearest frontier, or the goal once it is on the map.
            while (!queue.empty() && (target < 0 || (map.Seen(goal) && target != goal))) {
                const int cell = queue.front();
                queue.pop_front();
                if (!map.Visited(cell)) {  // a frontier: walk no further through it
                    if (target < 0 || cell == goal) target = cell;
                    continue;
                }
                for (int axis = 0; axis < axes; ++axis) {
                    for (int next : {cell - kAxisStride[axis], cell + kAxisStride[axis]}) {
                        if (walkable(next) && from.emplace(next, cell).second)
                            queue.push_back(next);
                    }
                }
            }
            std::vector<int> walk;
            for (int cell = target; cell >= 0 && cell != here; cell = from[cell])
                walk.insert(walk.begin(), cell);
            return walk;
        };
        // Quarter turns, as the hint would turn, until the neighbour along (axis, sign) is ahead.
        auto face = [&](int axis, int sign) {
            for (int turns = 0; turns < 4 && state->Orientation[axis][0] != sign; ++turns) {
                const HintTurn turn = NextHintTurn(state->Orientation, {axis, sign, 0}, 0.5);
                logic->Rot_Click(turn.index);
                if (turn.twice) logic->Rot_Click(turn.index);
            }
            return state->Orientation[axis][0] == sign;
        };

        int steps = 0;
        while (!window.clearVisible && steps < kCellCount) {
            const std::vector<int> walk = nextWalk();
            ASSERT_FALSE(walk.empty()) << "the map shows nowhere left to go after " << steps;
            for (const int cell : walk) {
                const int delta = cell - CellIndex(state->PlayerPos);
                int axis = 0;
                while (std::abs(delta) != kAxisStride[axis]) ++axis;
                ASSERT_TRUE(face(axis, delta > 0 ? 1 : -1));
                logic->Ahead_Click(0);
                ++steps;
                if (cell != goal) {
                    ASSERT_EQ(CellIndex(state->PlayerPos), cell);
                }
            }
        }

        // The maze's open cells, counted from the start over the whole maze (not the map).
        std::vector<bool> reached(kCellCount);
        std::vector<int> flood{CellIndex(state->PlayerPos)};
        reached[static_cast<size_t>(flood[0])] = true;
        int open = 0;
        while (!flood.empty()) {
            const int cell = flood.back();
            flood.pop_back();
            ++open;
            for (int axis = 0; axis < axes; ++axis)
                for (int next : {cell - kAxisStride[axis], cell + kAxisStride[axis]}) {
                    const int16_t c = state->MazeSpace[static_cast<size_t>(next)];
                    if ((c == CellOpen || c == CellGoal) && !reached[static_cast<size_t>(next)]) {
                        reached[static_cast<size_t>(next)] = true;
                        flood.push_back(next);
                    }
                }
        }
        std::printf("%s: %d steps, %d open cells\n", code.c_str(), steps, open);
        EXPECT_TRUE(window.clearVisible);
        EXPECT_EQ(dialogs.beeps, beeps + 1);
        EXPECT_EQ(std::count(effects.played.begin(), effects.played.end(), "dom.wav"), 0);
        EXPECT_LT(steps, 2 * open);
        EXPECT_GT(steps, 20);  // a real walk, not a goal beside the start
    }
    EXPECT_EQ(dialogs.prompts.size(), 1u);  // the first clear is the level's record
}

}  // namespace
}  // namespace kestrune
