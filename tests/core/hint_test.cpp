// The hint's choice of direction and of turns.
#include <gtest/gtest.h>

#include "navigation/hint.h"
#include "navigation/pose.h"
#include "test_support.h"

namespace kestrune {
namespace {

class HintTest : public ::testing::Test {
protected:
    std::unique_ptr<GameState> s = test::MakeState();
    void SetUp() override {
        PrepareStartup(*s);
        s->PlayerPos = {8, 8, 8, 8};
        // Every neighbour solid unless a test opens it.
        for (int b = 0; b < 4; ++b)
            for (int t : {-1, 1}) set(b, t, 32767);
    }
    void set(int axis, int sign, int16_t value) {
        Vec4 q = s->PlayerPos;
        q[axis] += sign;
        s->DistanceMap[CellIndex(q)] = value;
    }
};

TEST_F(HintTest, ChoosesTheSmallestValueFirstInAxisOrderAmongTies) {
    set(1, 1, 9);
    set(3, -1, 9);
    set(0, 1, 12);
    auto dir = ChooseGoalDirection(*s);
    EXPECT_EQ(dir.axis, 1);
    EXPECT_EQ(dir.sign, 1);
    EXPECT_EQ(dir.best, 9);
    set(0, -1, 9);
    dir = ChooseGoalDirection(*s);
    EXPECT_EQ(dir.axis, 0);
    EXPECT_EQ(dir.sign, -1);
}

TEST_F(HintTest, AlreadyFacingATieNeedsNoTurn) {
    set(0, 1, 5);
    set(0, -1, 5);  // the first in order is x-, but the player faces x+
    auto dir = ChooseGoalDirection(*s);
    EXPECT_EQ(dir.sign, -1);
    EXPECT_TRUE(FacesGoalDirection(*s, dir));
}

// Each player axis along the chosen direction is brought forward with one quarter turn.
TEST_F(HintTest, OneQuarterTurnForEachSideAxis) {
    struct Case {
        int axis, sign, expected;
    };
    const Case cases[] = {{1, 1, 0}, {1, -1, 1}, {2, 1, 2}, {2, -1, 3}, {3, 1, 4}, {3, -1, 5}};
    for (const auto& c : cases) {
        const GoalDirection dir{c.axis, c.sign, 2};
        const HintTurn turn = NextHintTurn(kIdentity, dir, 0.5);
        EXPECT_EQ(turn.index, c.expected);
        EXPECT_FALSE(turn.twice);
        // The turn really brings the forward axis onto the direction.
        Matrix4 n = RotatedOrientation(kIdentity, DecodeRotation(kRotationStrings[turn.index]));
        EXPECT_EQ(n[c.axis][0], c.sign) << c.expected;
    }
}

TEST_F(HintTest, FacingAwayMakesARandomHalfTurn) {
    const GoalDirection behind{0, -1, 2};
    EXPECT_TRUE(FacesAway(kIdentity, behind));
    EXPECT_EQ(NextHintTurn(kIdentity, behind, 0.0).index, 1);
    EXPECT_EQ(NextHintTurn(kIdentity, behind, 0.34).index, 3);
    EXPECT_EQ(NextHintTurn(kIdentity, behind, 0.99).index, 5);
    EXPECT_TRUE(NextHintTurn(kIdentity, behind, 0.5).twice);
    for (double r : {0.1, 0.5, 0.9}) {
        const int k = NextHintTurn(kIdentity, behind, r).index;
        const Matrix4i d = DecodeRotation(kRotationStrings[k]);
        Matrix4 n = RotatedOrientation(RotatedOrientation(kIdentity, d), d);
        EXPECT_EQ(n[0][0], -1);
    }
}

}  // namespace
}  // namespace kestrune
