// The numbers the views read: angle tables, block grid geometry, and packed colours.
#include <gtest/gtest.h>

#include "render/canvas.h"
#include "render/view_state.h"

namespace kestrune {
namespace {

TEST(AngleTables, AreSymmetricAndReachFortyDegrees) {
    ViewState view;
    FillAngleTables(view);
    EXPECT_EQ(view.Cos(0), 10000);
    EXPECT_EQ(view.Sin(0), 0);
    for (int k = 1; k <= kSmoothHalf; ++k) {
        EXPECT_EQ(view.Cos(-k), view.Cos(k)) << k;
        EXPECT_EQ(view.Sin(-k), -view.Sin(k)) << k;
        EXPECT_LT(view.Cos(k), view.Cos(k - 1)) << k;
    }
    // cos 40 degrees = 0.76604, sin 40 degrees = 0.64279.
    EXPECT_EQ(view.Cos(39), 7660);
    EXPECT_EQ(view.Sin(39), 6428);
    // One step is 40/39 degree: sin(1.0256 degrees) = 0.017900.
    EXPECT_EQ(view.Sin(1), 179);
}

struct GeometryCase {
    double width;
    double height;
    int centreX;
    int centreY;
    int blockWidth;
    int blockHeight;
};

TEST(ViewGeometry, BlocksCoverThePicture) {
    const GeometryCase cases[] = {
        {445, 441, 222, 220, 6, 6}, {445, 417, 222, 208, 6, 6},     {78, 78, 39, 39, 2, 2},
        {77, 77, 38, 38, 1, 1},     {1920, 1080, 960, 540, 25, 14}, {1, 1, 0, 0, 1, 1},
        {77.5, 78.5, 39, 39, 2, 2},  // sizes round to nearest, halves to even: 78 and 78
        {76.5, 0, 38, 0, 1, 1},      // 76
    };
    for (const auto& c : cases) {
        ViewState view;
        SetViewGeometry(view, c.width, c.height);
        EXPECT_EQ(view.ViewCentreX, c.centreX) << c.width;
        EXPECT_EQ(view.ViewCentreY, c.centreY) << c.height;
        EXPECT_EQ(view.BlockWidth, c.blockWidth) << c.width;
        EXPECT_EQ(view.BlockHeight, c.blockHeight) << c.height;
        // 79 blocks from the centre reach past both edges.
        EXPECT_LE(view.ViewCentreX - kSmoothHalf * view.BlockWidth, 0);
        EXPECT_GE(view.ViewCentreX + (kSmoothHalf + 1) * view.BlockWidth,
                  static_cast<int>(c.width));
    }
}

TEST(ViewGeometry, SmoothMatrixIsTheOrientationScaled) {
    ViewState view;
    Matrix4 m{};
    m[1][0] = 1;
    m[0][1] = -1;
    m[2][2] = 1;
    m[3][3] = 1;
    SetSmoothMatrix(view, m);
    EXPECT_EQ(view.SmoothMatrix[1][0], 10000);
    EXPECT_EQ(view.SmoothMatrix[0][1], -10000);
    EXPECT_EQ(view.SmoothMatrix[0][0], 0);
    EXPECT_EQ(view.SmoothMatrix[3][3], 10000);
}

TEST(Colours, PackRedLowThenGreenThenBlueAndCountOverflowAs255) {
    EXPECT_EQ(MakeColour(0, 204, 0), 0x00cc00u);
    EXPECT_EQ(MakeColour(102, 0, 102), 0x660066u);
    EXPECT_EQ(MakeColour(1, 2, 3), 0x030201u);
    EXPECT_EQ(MakeColour(0, 306, 0), 0x00ff00u);
    EXPECT_EQ(MakeColour(306, 0, 1020), 0xff00ffu);
    EXPECT_EQ(MakeColour(256, 255, 255), 0xffffffu);
    EXPECT_EQ(MakeColour(-5, 10, 0), 0x000a00u) << "no borrow into the next component";
    EXPECT_EQ(RedOf(0x030201u), 1);
    EXPECT_EQ(GreenOf(0x030201u), 2);
    EXPECT_EQ(BlueOf(0x030201u), 3);
}

}  // namespace
}  // namespace kestrune
