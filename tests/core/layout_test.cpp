// The game window's arrangement at the creation size, the minimum and the narrow limit.
#include <gtest/gtest.h>

#include "render/layout.h"

namespace kestrune {
namespace {

FormLayoutInput Window(double outerW, double outerH, double clientW, double clientH) {
    FormLayoutInput in;
    in.outerWidth = outerW;
    in.outerHeight = outerH;
    in.clientWidth = clientW;
    in.clientHeight = clientH;
    return in;
}

TEST(FormLayout, CreationSizeGivesTheSquareViewLimitedByTheClientHeight) {
    const auto l = ComputeFormLayout(Window(8730, 7425, 8610, 6615));
    ASSERT_EQ(l.action, FormLayout::Action::Arrange);
    EXPECT_FALSE(l.narrow);
    EXPECT_EQ(l.picConLeft, 6675);
    EXPECT_EQ(l.picture1Width, 6675);
    EXPECT_EQ(l.picture1Height, 6615);
    EXPECT_EQ(l.picture1Top, 0);
    EXPECT_EQ(l.picture2Top, 6240);
    EXPECT_EQ(l.line1X2, 8610);
    // Centred in the 445 x 441 pixel view.
    EXPECT_EQ(l.picClearLeft, 26);
    EXPECT_EQ(l.picClearTop, 132);
    EXPECT_EQ(l.lblWaitLeft, 126);
    EXPECT_EQ(l.lblWaitTop, 200);
}

TEST(FormLayout, TooSmallWindowsAreGrownBeforeAnyLayout) {
    auto l = ComputeFormLayout(Window(8000, 3000, 7880, 2200));
    EXPECT_EQ(l.action, FormLayout::Action::GrowHeight);
    EXPECT_EQ(l.newOuterHeight, 3960);
    l = ComputeFormLayout(Window(2000, 5000, 1880, 4200));
    EXPECT_EQ(l.action, FormLayout::Action::GrowWidth);
    EXPECT_EQ(l.newOuterWidth, 2775);
    FormLayoutInput in = Window(100, 100, 0, 0);
    in.minimised = true;
    EXPECT_EQ(ComputeFormLayout(in).action, FormLayout::Action::None);
}

TEST(FormLayout, NarrowBelow6390Twips) {
    auto l = ComputeFormLayout(Window(6389, 6000, 6269, 5200));
    EXPECT_TRUE(l.narrow);
    EXPECT_FALSE(l.label6Visible);
    EXPECT_EQ(l.lblGoalLeft, 1400);
    EXPECT_EQ(l.picConWidth, 1450);
    EXPECT_EQ(l.picture2Width, 2175 + 1400);
    l = ComputeFormLayout(Window(6390, 6000, 6270, 5200));
    EXPECT_FALSE(l.narrow);
    EXPECT_TRUE(l.label6Visible);
    EXPECT_EQ(l.lblGoalLeft, 4300);
    EXPECT_EQ(l.picture2Width, 6675);
}

TEST(FormLayout, TallWindowCentresTheSquareView) {
    const auto l = ComputeFormLayout(Window(4500, 9000, 4380, 8200));
    EXPECT_EQ(l.picture1Width, 4380 - 1450);
    EXPECT_EQ(l.picture1Height, l.picture1Width);
    EXPECT_EQ(l.picture1Top, (8200 - l.picture1Height) / 2);
    // The band above equals the band below.
    EXPECT_EQ(l.picture1Top, 8200 - l.picture1Top - l.picture1Height);
}

}  // namespace
}  // namespace kestrune
