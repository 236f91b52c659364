// Quarter turns, their in-between pictures, and steps.
#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"
#include "navigation/pose.h"

namespace kestrune {
namespace {

Matrix4 Turn(const Matrix4& m, int index) {
    return RotatedOrientation(m, DecodeRotation(kRotationStrings[index]));
}

Vec4 Column(const Matrix4& m, int p) {
    return {m[0][p], m[1][p], m[2][p], m[3][p]};
}

TEST(Rotation, LeftTurnFromIdentityFacesPlusYWithLeftMinusX) {
    Matrix4 n = Turn(kIdentity, 0);
    EXPECT_EQ(Column(n, 0), (Vec4{0, 1, 0, 0}));
    EXPECT_EQ(Column(n, 1), (Vec4{-1, 0, 0, 0}));
    EXPECT_EQ(Column(n, 2), (Vec4{0, 0, 1, 0}));
    EXPECT_EQ(Turn(n, 1), kIdentity);
}

// Each table entry turns exactly the named pair of axes.
TEST(Rotation, EveryEntryMovesTheDocumentedAxes) {
    struct Case {
        int index, a, b, signA, signB;  // new a := signA * old b, new b := signB * old a
    };
    const Case cases[] = {{0, 0, 1, 1, -1}, {1, 0, 1, -1, 1}, {2, 0, 2, 1, -1},  {3, 0, 2, -1, 1},
                          {4, 0, 3, 1, -1}, {5, 0, 3, -1, 1}, {6, 1, 2, 1, -1},  {7, 1, 2, -1, 1},
                          {8, 1, 3, 1, -1}, {9, 1, 3, -1, 1}, {10, 2, 3, 1, -1}, {11, 2, 3, -1, 1}};
    for (const auto& c : cases) {
        Matrix4 n = Turn(kIdentity, c.index);
        for (int p = 0; p < 4; ++p) {
            Vec4 expected = Column(kIdentity, p);
            if (p == c.a)
                for (auto& v : expected = Column(kIdentity, c.b)) v *= c.signA;
            if (p == c.b)
                for (auto& v : expected = Column(kIdentity, c.a)) v *= c.signB;
            EXPECT_EQ(Column(n, p), expected) << "index " << c.index << " axis " << p;
        }
    }
}

TEST(Rotation, FourTurnsAndOppositePairsRestoreTheOrientation) {
    const Matrix4 start = Turn(Turn(kIdentity, 4), 7);
    for (int k = 0; k < 12; ++k) {
        Matrix4 m = start;
        for (int i = 0; i < 4; ++i) m = Turn(m, k);
        EXPECT_EQ(m, start) << k;
        const int partner = k ^ 1;
        EXPECT_EQ(Turn(Turn(start, k), partner), start) << k;
    }
}

TEST(Rotation, RollsKeepTheForwardAxis) {
    EXPECT_EQ(Column(Turn(kIdentity, 6), 0), Column(kIdentity, 0));
    EXPECT_EQ(Column(Turn(kIdentity, 7), 0), Column(kIdentity, 0));
}

TEST(Rotation, AnySequenceStaysASignedPermutation) {
    Matrix4 m = kIdentity;
    unsigned seed = 1;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 1103515245u + 12345u;
        m = Turn(m, static_cast<int>((seed >> 16) % 12));
        ASSERT_TRUE(IsSignedPermutation(m));
    }
    Matrix4 bad = kIdentity;
    bad[0][1] = 1;
    EXPECT_FALSE(IsSignedPermutation(bad));
}

// In-between pictures are exact rotations scaled by 10000, rounded half to even.
TEST(TurnFrames, MidTurnOfALeftTurnIsAFortyFiveDegreeRotation) {
    Matrix4 from{}, to{};
    const Matrix4 n = Turn(kIdentity, 0);
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p) {
            from[a][p] = kIdentity[a][p] * 10000;
            to[a][p] = n[a][p] * 10000;
        }
    const Matrix4 mid = TurnFrame(from, to, TurnAngle(4, 3));  // 4 of 8: 45 degrees
    EXPECT_EQ(mid[0][0], 7071);
    EXPECT_EQ(mid[1][0], 7071);
    EXPECT_EQ(mid[0][1], -7071);
    EXPECT_EQ(mid[1][1], 7071);
    EXPECT_EQ(mid[2][2], 10000);
    EXPECT_NEAR(TurnAngle(1, 0), 3.1415926525 / 2, 1e-12);
    EXPECT_EQ(TurnFrame(from, to, TurnAngle(1, 6))[0][0],
              std::lround(10000 * std::cos(3.1415926525 / 128)));
}

TEST(Steps, TargetFollowsTheForwardColumnAndTheSign) {
    EXPECT_EQ(StepSign(0), 1);
    EXPECT_EQ(StepSign(1), -1);
    EXPECT_EQ(StepSign(7), 1);
    const Vec4 pos{6, 7, 8, 9};
    EXPECT_EQ(StepTarget(pos, kIdentity, 1), (Vec4{7, 7, 8, 9}));
    EXPECT_EQ(StepTarget(pos, Turn(kIdentity, 0), -1), (Vec4{6, 6, 8, 9}));
}

TEST(Steps, FourPictureStepOffsetsAreThreeQuartersHalfAndAQuarter) {
    for (int step = 1; step <= 3; ++step) {
        EXPECT_EQ(StepFrameOffset(kIdentity, 1, step, 2), (Vec4{10000 - 2500 * step, 0, 0, 0}));
        EXPECT_EQ(StepFrameOffset(kIdentity, -1, step, 2), (Vec4{-(10000 - 2500 * step), 0, 0, 0}));
    }
}

// The offset carries the sign of the step, not of the world direction.
TEST(Steps, FacingMinusXStepsForwardWithAPositiveOffset) {
    Matrix4 m = Turn(Turn(kIdentity, 0), 0);
    ASSERT_EQ(m[0][0], -1);
    EXPECT_EQ(StepFrameOffset(m, 1, 1, 1), (Vec4{5000, 0, 0, 0}));
    EXPECT_EQ(StepFrameOffset(m, -1, 1, 1), (Vec4{-5000, 0, 0, 0}));
}

}  // namespace
}  // namespace kestrune
