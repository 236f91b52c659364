// The plain view: face sizes and positions, shading, which faces are drawn, and the order.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "recording_canvas.h"
#include "render/plain_view.h"
#include "render_scenes.h"

namespace kestrune {
namespace {

using test::DrawnShape;
using test::RecordingCanvas;

// The player at the centre of an open box, facing +x, left +y, up +z; a cell of the view is
// named by its layer L, its column X (left positive) and row Y (up positive).
struct PlainFixture : ::testing::Test {
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    RecordingCanvas canvas{445, 417};

    void SetUp() override { test::MakeEmptyBox(*g, {10, 10, 10, 10}); }
    void Put(int L, int X, int Y, int16_t code) {
        test::SetCell(*g, {10 + L, 10 + X, 10 + Y, 10}, code);
    }
    std::vector<DrawnShape> Draw() {
        DrawLayer(4, 4, *g, canvas);
        return canvas.Polygons();
    }
};

TEST(LayerEdge, HalvesFromLayerToLayer) {
    const float expected[5] = {741.67f, 370.83f, 185.42f, 92.71f, 46.35f};
    for (int L = 0; L <= 4; ++L) {
        EXPECT_NEAR(LayerEdge(445, L), expected[L], 0.005) << "layer " << L;
        if (L > 0) {
            EXPECT_EQ(LayerEdge(445, L), LayerEdge(445, L - 1) / 2);
        }
    }
}

TEST_F(PlainFixture, WallStraightAheadIsASquareInGreen204) {
    Put(1, 0, 0, CellWall);
    const auto shapes = Draw();
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].points,
              (Quad{Point{37, 23}, Point{408, 23}, Point{408, 394}, Point{37, 394}}));
    EXPECT_EQ(shapes[0].fill, MakeColour(0, 204, 0));
    EXPECT_EQ(shapes[0].pen, kBlack);
}

TEST_F(PlainFixture, GoalStraightAheadMixesTheOtherComponents) {
    Put(1, 0, 0, CellGoal);
    auto shapes = Draw();
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].fill, MakeColour(102, 0, 102));

    g->WallColour = {200, 100, 50};
    canvas.shapes.clear();
    shapes = Draw();
    ASSERT_EQ(shapes.size(), 1u);
    // (100 + 50) * 0.8 / 2 = 60, (200 + 50) * 0.8 / 2 = 100, (200 + 100) * 0.8 / 2 = 120.
    EXPECT_EQ(shapes[0].fill, MakeColour(60, 100, 120));
}

// The face joins the front plane of the player's layer to the next one; it starts outside
// the picture and ends on the left edge of the square ahead.
TEST_F(PlainFixture, WallBesideThePlayerShowsOnlyItsSideFace) {
    Put(0, 1, 0, CellWall);
    const auto shapes = Draw();
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].points,
              (Quad{Point{-148, -162}, Point{-148, 580}, Point{37, 394}, Point{37, 23}}));
    EXPECT_EQ(shapes[0].fill, MakeColour(0, 204, 0));
}

// Distance 5 is the last one drawn, with shade 0; sqrt(26) is beyond it.
TEST_F(PlainFixture, CellsAtDistanceFiveAreBlackAndFartherOnesSkipped) {
    Put(4, 3, 0, CellWall);
    auto shapes = Draw();
    ASSERT_FALSE(shapes.empty());
    for (const auto& s : shapes) EXPECT_EQ(s.fill, kBlack);

    Put(4, 3, 0, CellOpen);
    Put(4, 3, 1, CellWall);
    canvas.calls.clear();
    canvas.shapes.clear();
    shapes = Draw();
    EXPECT_TRUE(shapes.empty());
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(PlainFixture, OwnCellDrawsNothingEvenAsTheGoal) {
    Put(0, 0, 0, CellGoal);
    EXPECT_TRUE(Draw().empty());
}

TEST_F(PlainFixture, LayerZeroDrawsNoFrontFaces) {
    // Solid on all four sides: four side faces and nothing else.
    Put(0, 1, 0, CellWall);
    Put(0, -1, 0, CellWall);
    Put(0, 0, 1, CellWall);
    Put(0, 0, -1, CellWall);
    const auto shapes = Draw();
    EXPECT_EQ(shapes.size(), 4u);
}

TEST_F(PlainFixture, NeighbourThatIsTheGoalHidesTheSideFace) {
    Put(1, 1, 0, CellWall);
    Put(1, 0, 0, CellGoal);
    const auto shapes = Draw();
    ASSERT_EQ(shapes.size(), 2u) << "two front faces, no side face";
    EXPECT_EQ(shapes[0].points[0], (Point{-334, 23}));
    EXPECT_EQ(shapes[1].points[0], (Point{37, 23}));
}

TEST_F(PlainFixture, OpenSurroundingsLeaveThePictureBlack) {
    DrawPlainView(*g, canvas);
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"clear"});
}

// A small scene drawn call by call: far layers first, outer columns before the centre, the
// colour set again before every front face.
TEST_F(PlainFixture, KnownSceneIsDrawnInPaintersOrder) {
    Put(3, 0, 0, CellGoal);
    Put(3, 1, 0, CellWall);  // its side face would lie against the goal: not drawn
    Put(2, -1, 0, CellWall);
    Put(2, 1, 1, CellWall);
    Put(1, 0, -1, CellWall);
    DrawPlainView(*g, canvas);
    const std::vector<std::string> expected = {
        "clear",
        // layer 3: (1, 0), then the goal (0, 0)
        "fill 005e00",
        "pen 000000",
        "fill 005e00",
        "pen 000000",
        "polygon 83,162 176,162 176,255 83,255",
        "fill 330033",
        "pen 000000",
        "fill 330033",
        "pen 000000",
        "polygon 176,162 269,162 269,255 176,255",
        // layer 2: (-1, 0) right of centre, then (1, 1) up and left
        "fill 008d00",
        "pen 000000",
        "polygon 315,116 315,301 269,255 269,162",
        "fill 008d00",
        "pen 000000",
        "polygon 315,116 500,116 500,301 315,301",
        "fill 008200",
        "pen 000000",
        "polygon 129,-70 129,115 176,162 176,69",
        "polygon -56,115 129,115 176,162 83,162",
        "fill 008200",
        "pen 000000",
        "polygon -56,-70 129,-70 129,115 -56,115",
        // layer 1: (0, -1) below the line of sight
        "fill 00b700",
        "pen 000000",
        "polygon 37,394 408,394 315,301 130,301",
        "fill 00b700",
        "pen 000000",
        "polygon 37,394 408,394 408,765 37,765",
    };
    EXPECT_EQ(canvas.calls, expected);
}

// Walled in on every side: each layer shows one front face per cell it visits, in the fixed
// order, and only cells within distance 5.
TEST(PlainOrder, LayersAreVisitedOuterColumnsFirstWithTheirHalfWidths) {
    auto g = std::make_unique<GameState>();
    test::FillSpace(*g, CellWall);
    g->WallColour = test::kPracticeGreen;
    g->PlayerPos = {10, 10, 10, 10};
    g->Orientation = kIdentity;
    test::SetCell(*g, g->PlayerPos, CellOpen);
    RecordingCanvas canvas(445, 417);
    DrawLayer(4, 4, *g, canvas);

    // Recover (layer, X, Y) of each front face from its size and position.
    std::map<int, std::vector<std::pair<int, int>>> fronts;
    int sideFaces = 0;
    for (const auto& s : canvas.Polygons()) {
        const bool upright = s.points[0].y == s.points[1].y && s.points[1].x == s.points[2].x;
        if (!upright) {
            ++sideFaces;
            continue;
        }
        const int edge = s.points[1].x - s.points[0].x;
        const int L = static_cast<int>(std::lround(std::log2(741.67 / edge)));
        const double S = LayerEdge(445, L);
        const int X = static_cast<int>(std::lround((222.5 - S / 2 - s.points[0].x) / S));
        const int Y = static_cast<int>(std::lround((208.5 - S / 2 - s.points[0].y) / S));
        fronts[L].push_back({X, Y});
    }
    EXPECT_EQ(fronts[4].size(), 29u) << "half-width 3, corners beyond distance 5";
    EXPECT_EQ(fronts[3].size(), 45u) << "half-width 3";
    EXPECT_EQ(fronts[2].size(), 25u) << "half-width 2";
    EXPECT_EQ(fronts[1].size(), 9u) << "half-width 1";
    EXPECT_EQ(fronts.count(0), 0u);
    // Only the player's own cell is open: its four neighbours show their side faces.
    EXPECT_EQ(sideFaces, 4);

    const std::vector<std::pair<int, int>> layer2 = {
        {-2, -2}, {-2, -1}, {-2, 2}, {-2, 1}, {-2, 0},  //
        {-1, -2}, {-1, -1}, {-1, 2}, {-1, 1}, {-1, 0},  //
        {2, 2},   {2, 1},   {2, 0},  {2, -2}, {2, -1},  //
        {1, 2},   {1, 1},   {1, 0},  {1, -2}, {1, -1},  //
        {0, 2},   {0, 1},   {0, 0},  {0, -2}, {0, -1},
    };
    EXPECT_EQ(fronts[2], layer2);
}

// The view follows the orientation: turned to face -w with left = +x, the same cells of the
// view come from other world cells.
TEST_F(PlainFixture, CellsAreFoundAlongThePlayersAxes) {
    Matrix4 m{};
    m[3][0] = -1;  // forward -w
    m[0][1] = 1;   // left +x
    m[1][2] = -1;  // up -y
    m[2][3] = 1;
    g->Orientation = m;
    test::SetCell(*g, {10 + 1, 10 - 1, 10, 10 - 2}, CellWall);  // L 2, X 1, Y 1
    const auto shapes = Draw();
    ASSERT_EQ(shapes.size(), 3u);
    EXPECT_EQ(shapes[2].points,
              (Quad{Point{-56, -70}, Point{129, -70}, Point{129, 115}, Point{-56, 115}}));
}

}  // namespace
}  // namespace kestrune
