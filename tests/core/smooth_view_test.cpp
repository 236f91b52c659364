// The smooth view: block colours by distance, the block grid, and the fast walk against the
// plain one on many poses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/numbers.h"
#include "recording_canvas.h"
#include "render/smooth_view.h"
#include "render/view_state.h"
#include "render_scenes.h"
#include "smooth_reference.h"

namespace kestrune {
namespace {

using test::RecordingCanvas;

struct SmoothFixture : ::testing::Test {
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    ViewState view;

    void SetUp() override {
        FillAngleTables(view);
        SetViewGeometry(view, 445, 417);
    }
    // Player at (10, 10, 10, 10) facing +x in an open box.
    void OpenBoxAtCentre() {
        test::MakeEmptyBox(*g, {10, 10, 10, 10});
        SetSmoothMatrix(view, g->Orientation);
    }
    Colour CentreBlock() {
        RecordingCanvas canvas(445, 417);
        DrawSmooth(*g, view, canvas);
        return canvas.shapes.at(SmoothBlockIndex(0, 0)).fill;
    }
};

// Straight ahead the distance is counted in 1/2000 cell and dims through D / 3000 + 0.5.
TEST_F(SmoothFixture, CentreBlockDimsWithDistanceToTheWallAhead) {
    OpenBoxAtCentre();
    test::SetCell(*g, {11, 10, 10, 10}, CellWall);
    EXPECT_EQ(CentreBlock(), MakeColour(0, 255, 0)) << "306 counts as 255";
    test::SetCell(*g, {11, 10, 10, 10}, CellOpen);
    test::SetCell(*g, {12, 10, 10, 10}, CellWall);
    EXPECT_EQ(CentreBlock(), MakeColour(0, 170, 0));
    test::SetCell(*g, {12, 10, 10, 10}, CellOpen);
    test::SetCell(*g, {13, 10, 10, 10}, CellWall);
    EXPECT_EQ(CentreBlock(), MakeColour(0, 118, 0));
}

// Ten boundaries along one axis without a hit: the far distance, green 36.
TEST_F(SmoothFixture, RayThatMeetsNothingGetsTheFarColour) {
    test::MakeEmptyBox(*g, {4, 4, 4, 4});
    SetSmoothMatrix(view, g->Orientation);
    EXPECT_EQ(CentreBlock(), MakeColour(0, 36, 0));
    // One step further on, the border at x = 17 is within reach again.
    g->PlayerPos = {8, 4, 4, 4};
    EXPECT_NE(CentreBlock(), MakeColour(0, 36, 0));
}

// The goal mixes the other two components of the wall colour: magenta from green.
TEST_F(SmoothFixture, GoalAheadIsMagentaInPracticeGreen) {
    OpenBoxAtCentre();
    test::SetCell(*g, {11, 10, 10, 10}, CellGoal);
    EXPECT_EQ(CentreBlock(), MakeColour(255, 0, 255));
    g->WallColour = {40, 80, 120};
    // (80 + 120) / 0.8333 = 240, (40 + 120) / 0.8333 = 192, (40 + 80) / 0.8333 = 144.
    EXPECT_EQ(CentreBlock(), MakeColour(240, 192, 144));
}

// Looking the other way along each axis works the same: the walk uses the ray's sign.
TEST_F(SmoothFixture, WallAheadLooksTheSameInEveryDirection) {
    OpenBoxAtCentre();
    for (int axis = 0; axis < 4; ++axis)
        for (int dir : {1, -1}) {
            Vec4 ahead = {10, 10, 10, 10};
            ahead[axis] += 2 * dir;
            test::SetCell(*g, ahead, CellWall);
            Matrix4 m{};
            m[axis][0] = dir;
            for (int other = 0, column = 1; other < 4; ++other)
                if (other != axis) m[other][column++] = 1;
            SetSmoothMatrix(view, m);
            EXPECT_EQ(CentreBlock(), MakeColour(0, 170, 0)) << "axis " << axis << " dir " << dir;
            test::SetCell(*g, ahead, CellOpen);
        }
}

// Columns left to right, each top to bottom; blocks stick out past the picture's edges.
TEST_F(SmoothFixture, BlocksAreCastColumnByColumnOverThePicture) {
    OpenBoxAtCentre();
    RecordingCanvas canvas(445, 417);
    DrawSmooth(*g, view, canvas);
    ASSERT_EQ(canvas.shapes.size(), 6241u);
    ASSERT_EQ(canvas.calls.size(), 3u * 6241u);
    EXPECT_EQ(canvas.calls[2], "rect -12,-26 -6,-20");
    EXPECT_EQ(canvas.calls[5], "rect -12,-20 -6,-14");
    EXPECT_EQ(canvas.calls[3 * 79 + 2], "rect -6,-26 0,-20");
    EXPECT_EQ(canvas.calls.back(), "rect 456,442 462,448");
    // Each block is outlined in its own fill colour, read back from the surface.
    for (size_t b = 0; b < canvas.shapes.size(); ++b) {
        ASSERT_EQ(canvas.calls[3 * b], "fill " + RecordingCanvas::Hex(canvas.shapes[b].fill));
        ASSERT_EQ(canvas.shapes[b].pen, canvas.shapes[b].fill) << "block " << b;
    }
}

TEST_F(SmoothFixture, NothingIsDrawnBeforeASpaceExists) {
    SetSmoothMatrix(view, kIdentity);
    g->PlayerPos = {4, 4, 4, 4};
    RecordingCanvas canvas(445, 417);
    DrawSmooth(*g, view, canvas);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(canvas.clears, 0);
}

// ---- The fast walk against the plain one ------------------------------------------------

// Every block of one picture, reporting the first block that differs.
::testing::AssertionResult SameAsReference(const GameState& g, const ViewState& view,
                                           const std::string& pose) {
    SmoothPicture plain;
    test::ReferenceSmoothPicture(g, view, plain);
    for (SmoothKernel kernel : {SmoothKernel::Portable, SmoothKernel::Vector}) {
        if (kernel == SmoothKernel::Vector && !VectorKernelAvailable()) continue;
        SmoothPicture fast;
        ComputeSmoothPicture(g, view, fast, kernel);
        for (int j = -kSmoothHalf; j <= kSmoothHalf; ++j)
            for (int i = -kSmoothHalf; i <= kSmoothHalf; ++i) {
                const int b = SmoothBlockIndex(j, i);
                if (fast[b] != plain[b])
                    return ::testing::AssertionFailure()
                           << pose << ": block (" << j << ", " << i << ") "
                           << (kernel == SmoothKernel::Vector ? "vector " : "portable ")
                           << RecordingCanvas::Hex(fast[b]) << " plain "
                           << RecordingCanvas::Hex(plain[b]);
            }
    }
    return ::testing::AssertionSuccess();
}

// All 384 signed permutation matrices: every way the player can face.
std::vector<Matrix4> AllOrientations() {
    std::vector<Matrix4> out;
    int perm[4] = {0, 1, 2, 3};
    do {
        for (int signs = 0; signs < 16; ++signs) {
            Matrix4 m{};
            for (int p = 0; p < 4; ++p) m[perm[p]][p] = (signs >> p & 1) ? -1 : 1;
            out.push_back(m);
        }
    } while (std::next_permutation(perm, perm + 4));
    return out;
}

// The spaces the comparison runs in: the open box, and two mazes (one in a tower-like colour
// so that every component and the goal mix are exercised).
std::vector<std::unique_ptr<GameState>> ComparisonSpaces() {
    std::vector<std::unique_ptr<GameState>> spaces;
    spaces.push_back(std::make_unique<GameState>());
    test::MakeEmptyBox(*spaces.back());
    spaces.push_back(std::make_unique<GameState>());
    test::MakeTestMaze(*spaces.back(), 7);
    spaces.push_back(std::make_unique<GameState>());
    test::MakeTestMaze(*spaces.back(), 11, {213, 97, 160});
    return spaces;
}

std::vector<Vec4> OpenCells(const GameState& g, int every) {
    std::vector<Vec4> cells;
    int seen = 0;
    for (int w = 4; w <= 16; ++w)
        for (int z = 4; z <= 16; ++z)
            for (int y = 4; y <= 16; ++y)
                for (int x = 4; x <= 16; ++x)
                    if (g.MazeSpace[CellIndex(x, y, z, w)] == CellOpen && seen++ % every == 0)
                        cells.push_back({x, y, z, w});
    return cells;
}

TEST(SmoothWalk, MatchesThePlainWalkInEverySteadyPose) {
    ViewState view;
    FillAngleTables(view);
    SetViewGeometry(view, 445, 441);
    const auto orientations = AllOrientations();
    int pictures = 0;
    for (const auto& space : ComparisonSpaces()) {
        const auto cells = OpenCells(*space, 500);
        for (size_t c = 0; c < cells.size(); ++c) {
            space->PlayerPos = cells[c];
            // A different slice of the orientations in every cell keeps the run short.
            for (size_t o = c % 16; o < orientations.size(); o += 16) {
                SetSmoothMatrix(view, orientations[o]);
                ASSERT_TRUE(SameAsReference(
                    *space, view,
                    "cell " + std::to_string(c) + " orientation " + std::to_string(o)));
                ++pictures;
            }
        }
    }
    EXPECT_GT(pictures, 1000);
}

// The in-between pictures of a turn: the two changing columns rotated by t in their plane.
TEST(SmoothWalk, MatchesThePlainWalkInEveryTurnFrame) {
    ViewState view;
    FillAngleTables(view);
    SetViewGeometry(view, 445, 441);
    const auto orientations = AllOrientations();
    int pictures = 0;
    for (const auto& space : ComparisonSpaces()) {
        const auto cells = OpenCells(*space, 2500);
        for (size_t c = 0; c < cells.size(); ++c) {
            space->PlayerPos = cells[c];
            const Matrix4& from = orientations[(c * 37) % orientations.size()];
            for (int plane = 0; plane < 6; ++plane) {
                static constexpr int kPlanes[6][2] = {{0, 1}, {0, 2}, {0, 3},
                                                      {1, 2}, {1, 3}, {2, 3}};
                const int p = kPlanes[plane][0];
                const int q = kPlanes[plane][1];
                // 64 pictures per turn, the finest setting; every fourth is enough here.
                for (int s = 1; s < 64; s += 4) {
                    const double t = s * 3.1415926525 / 128;
                    const int32_t cosT = ToInt32(std::cos(t) * 10000);
                    // Both senses of the turn.
                    const int32_t sinT = ToInt32(std::sin(t) * 10000) * (s % 8 == 1 ? 1 : -1);
                    for (int a = 0; a < 4; ++a) {
                        view.SmoothMatrix[a][p] = from[a][p] * cosT + from[a][q] * sinT;
                        view.SmoothMatrix[a][q] = from[a][q] * cosT - from[a][p] * sinT;
                        for (int other = 0; other < 4; ++other)
                            if (other != p && other != q)
                                view.SmoothMatrix[a][other] = from[a][other] * 10000;
                    }
                    ASSERT_TRUE(SameAsReference(*space, view,
                                                "cell " + std::to_string(c) + " plane " +
                                                    std::to_string(plane) + " frame " +
                                                    std::to_string(s)));
                    ++pictures;
                }
            }
        }
    }
    EXPECT_GT(pictures, 1000);
}

// The in-between pictures of a step forward or back along the facing axis.
TEST(SmoothWalk, MatchesThePlainWalkInEveryStepFrame) {
    ViewState view;
    FillAngleTables(view);
    SetViewGeometry(view, 445, 441);
    const auto orientations = AllOrientations();
    int pictures = 0;
    for (const auto& space : ComparisonSpaces()) {
        const auto cells = OpenCells(*space, 2000);
        for (size_t c = 0; c < cells.size(); ++c) {
            space->PlayerPos = cells[c];
            for (size_t o = c % 96; o < orientations.size(); o += 96) {
                const Matrix4& m = orientations[o];
                int facing = 0;
                while (m[facing][0] == 0) ++facing;
                for (int sign : {1, -1}) {
                    // Stepping back, the eye starts in the cell in front: it must be open.
                    Vec4 eye = cells[c];
                    if (sign < 0) eye[facing] += m[facing][0];
                    if (space->MazeSpace[CellIndex(eye)] != CellOpen) continue;
                    SetSmoothMatrix(view, m);
                    for (int s = 1; s < 64; s += 7) {
                        view.SmoothOffset = {};
                        view.SmoothOffset[facing] = ToInt32((64 - s) * 10000.0 * sign / 64);
                        ASSERT_TRUE(SameAsReference(*space, view,
                                                    "cell " + std::to_string(c) + " orientation " +
                                                        std::to_string(o) + " offset " +
                                                        std::to_string(view.SmoothOffset[facing])));
                        ++pictures;
                    }
                }
            }
        }
    }
    view.SmoothOffset = {};
    EXPECT_GT(pictures, 500);
}

// Skewed matrices and offsets on several axes at once: no animation makes these, but they
// reach ray directions and boundary fractions the real frames never do.
TEST(SmoothWalk, MatchesThePlainWalkForArbitraryMatricesAndOffsets) {
    ViewState view;
    FillAngleTables(view);
    SetViewGeometry(view, 445, 441);
    std::mt19937 random(2024);
    auto uniform = [&](int lo, int hi) {
        return lo + static_cast<int>(random() % static_cast<uint32_t>(hi - lo + 1));
    };
    int pictures = 0;
    for (const auto& space : ComparisonSpaces()) {
        const auto cells = OpenCells(*space, 400);
        for (int trial = 0; trial < 60; ++trial) {
            space->PlayerPos = cells[random() % cells.size()];
            // Every third matrix is far larger than an orientation, so its rays are too long
            // for the fast integer terms; every other one keeps the offsets at 0.
            const int scale = trial % 3 == 0 ? 60000 : 10000;
            for (auto& row : view.SmoothMatrix)
                for (auto& entry : row) entry = uniform(-scale, scale);
            for (int k = 0; k < 4; ++k)
                view.SmoothOffset[k] =
                    (trial % 2 == 0 || uniform(0, 3) == 0) ? 0 : uniform(-9999, 9999);
            // Keep the eye on an open interior cell so the walk stays inside the grid.
            Vec4 eye = space->PlayerPos;
            for (int k = 0; k < 4; ++k)
                if (view.SmoothOffset[k] < 0)
                    eye[k] += (view.SmoothMatrix[k][0] > 0) - (view.SmoothMatrix[k][0] < 0);
            if (space->MazeSpace[CellIndex(eye)] != CellOpen) continue;
            ASSERT_TRUE(SameAsReference(*space, view, "trial " + std::to_string(trial)));
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 50);
}

}  // namespace
}  // namespace kestrune
