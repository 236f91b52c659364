// Direction and position readouts, and the keypad mapping.
#include <gtest/gtest.h>

#include "navigation/keys.h"
#include "navigation/pose.h"
#include "navigation/readouts.h"
#include "test_support.h"

namespace kestrune {
namespace {

TEST(DirectionReadout, IdentityReadsXForwardAndPairsOfOpposites) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    const auto r = ExpDirection(*s);
    EXPECT_EQ(r.captions[0], "X 軸 +方向");
    EXPECT_EQ(r.captions[1], "Y 軸 +");
    EXPECT_EQ(r.captions[4], "Y 軸 -");
    EXPECT_EQ(r.captions[2], "Z 軸 +");
    EXPECT_EQ(r.captions[5], "Z 軸 -");
    EXPECT_EQ(r.captions[3], "W 軸 +");
    EXPECT_EQ(r.captions[6], "W 軸 -");
}

TEST(DirectionReadout, AfterALeftTurnForwardIsYAndLeftIsMinusX) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    s->Orientation = RotatedOrientation(s->Orientation, DecodeRotation(kRotationStrings[0]));
    const auto r = ExpDirection(*s);
    EXPECT_EQ(r.captions[0], "Y 軸 +方向");
    EXPECT_EQ(r.captions[1], "X 軸 -");
    EXPECT_EQ(r.captions[4], "X 軸 +");
    EXPECT_EQ(r.captions[2], "Z 軸 +");
    EXPECT_EQ(r.captions[3], "W 軸 +");
}

// The fourth-axis labels show what lies one cell along +/- the fourth axis.
TEST(DirectionReadout, FourthAxisColoursFollowTheCellsBesideThePlayer) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    s->WallColour = {0, 255, 0};
    s->PlayerPos = {8, 8, 8, 8};
    s->MazeSpace[CellIndex(8, 8, 8, 9)] = CellGoal;
    s->MazeSpace[CellIndex(8, 8, 8, 7)] = CellWall;
    auto r = ExpDirection(*s);
    EXPECT_EQ(r.fourthPlusBackground, (Rgb{128, 0, 128}));  // 127.5 rounds to even 128
    EXPECT_EQ(r.fourthMinusBackground, (Rgb{0, 255, 0}));
    s->MazeSpace[CellIndex(8, 8, 8, 7)] = CellOpen;
    s->MazeSpace[CellIndex(8, 8, 8, 9)] = CellBorder;
    r = ExpDirection(*s);
    EXPECT_EQ(r.fourthPlusBackground, (Rgb{0, 255, 0}));
    EXPECT_EQ(r.fourthMinusBackground, (Rgb{0, 0, 0}));
    EXPECT_EQ(FourthAxisColour(CellGoal, {10, 20, 31}), (Rgb{26, 20, 15}));  // 25.5, 20.5, 15
}

TEST(PositionReadout, WideWindowsPutTheHeadingInFront) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    EXPECT_EQ(PositionCaption(*s, 6390), "現在地は 0,0,0,0");
    EXPECT_EQ(PositionCaption(*s, 6389), "0,0,0,0");
    s->PlayerPos = {16, 5, 4, 10};
    EXPECT_EQ(PositionCaption(*s, 9000), "現在地は 12,1,0,6");
}

TEST(PositionReadout, SlideRunsFromBelowTheWindowToTheBottomEdge) {
    EXPECT_EQ(StripSlideTop(441, 25, 0), 441);
    EXPECT_EQ(StripSlideTop(441, 25, 800), 416);
    EXPECT_DOUBLE_EQ(StripSlideTop(441, 25, 400), 428.5);
}

TEST(Keypad, UnmodifiedAndModifiedDigitsMapToThePanel) {
    using K = PanelAction::Kind;
    struct Row {
        int digit;
        std::optional<PanelAction> plain, modified;
    };
    const Row table[] = {
        {0, PanelAction{K::Step, 1}, PanelAction{K::Rotate, 5}},
        {1, std::nullopt, std::nullopt},
        {2, PanelAction{K::Rotate, 3}, PanelAction{K::Rotate, 11}},
        {3, std::nullopt, std::nullopt},
        {4, PanelAction{K::Rotate, 0}, PanelAction{K::Rotate, 8}},
        {5, PanelAction{K::Step, 0}, PanelAction{K::Rotate, 4}},
        {6, PanelAction{K::Rotate, 1}, PanelAction{K::Rotate, 9}},
        {7, PanelAction{K::Rotate, 6}, PanelAction{K::Rotate, 6}},
        {8, PanelAction{K::Rotate, 2}, PanelAction{K::Rotate, 10}},
        {9, PanelAction{K::Rotate, 7}, PanelAction{K::Rotate, 7}},
    };
    for (const auto& row : table) {
        EXPECT_EQ(KeypadAction(row.digit, false), row.plain) << row.digit;
        EXPECT_EQ(KeypadAction(row.digit, true), row.modified) << row.digit;
    }
    EXPECT_FALSE(KeypadAction(10, false));
    EXPECT_FALSE(KeypadAction(-1, true));
}

// A held key: the repeats that pile up during an action are carried out once, and after the
// release at most the one action that was waiting follows.
TEST(KeyPressQueue, RepeatsOfAHeldKeyCollapseIntoOneActionEach) {
    const KeypadKey left{4, false};
    KeyPressQueue queue;
    EXPECT_EQ(queue.Arrive(left, false), left);  // the first press runs at once
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(queue.Arrive(left, true));
    queue.Ended();
    EXPECT_FALSE(queue.Arrive(left, true));  // came in with the others, after the action
    EXPECT_EQ(queue.Next(), left);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(queue.Arrive(left, true));
    queue.Ended();  // released during this action
    EXPECT_EQ(queue.Next(), left);
    queue.Ended();
    EXPECT_FALSE(queue.Next());
    // Idle again: a repeat slower than the action runs at once.
    EXPECT_EQ(queue.Arrive(left, true), left);
}

// Separate presses are never dropped and keep their order, repeats of another key included.
TEST(KeyPressQueue, SeparatePressesAreAllCarriedOutInOrder) {
    const KeypadKey left{4, false}, right{6, false}, ahead{5, false}, roll{4, true};
    KeyPressQueue queue;
    ASSERT_EQ(queue.Arrive(left, false), left);
    EXPECT_FALSE(queue.Arrive(right, false));
    EXPECT_FALSE(queue.Arrive(right, false));
    EXPECT_FALSE(queue.Arrive(ahead, false));
    EXPECT_FALSE(queue.Arrive(ahead, true));  // merges into the waiting press of its key
    EXPECT_FALSE(queue.Arrive(roll, true));   // another key: waits
    for (const KeypadKey& expected : {right, right, ahead, roll}) {
        queue.Ended();
        EXPECT_EQ(queue.Next(), expected);
    }
    queue.Ended();
    EXPECT_FALSE(queue.Next());
    // Just after an action, with nothing waiting, a separate press runs at once and a
    // repeat waits for what else arrived during the action.
    ASSERT_EQ(queue.Arrive(left, false), left);
    queue.Ended();
    EXPECT_EQ(queue.Arrive(right, false), right);
    queue.Ended();
    EXPECT_FALSE(queue.Arrive(right, true));
    EXPECT_EQ(queue.Next(), right);
    queue.Ended();
    EXPECT_FALSE(queue.Next());
}

}  // namespace
}  // namespace kestrune
