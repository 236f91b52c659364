// The game window's rules against a scripted window: turns, steps, redraws, the animation
// setting, new games, clears, the staircase, hint and auto cruise.
#include "navigation/game_window_logic.h"

#include <gtest/gtest.h>

#include "core/fake_game_window.h"
#include "core/logic_rig.h"
#include "game/files.h"
#include "game/maze.h"
#include "media/music.h"
#include "navigation/pose.h"
#include "navigation/records.h"
#include "test_support.h"

namespace kestrune {
namespace {

class LogicTest : public ::testing::Test, protected test::LogicRig {
protected:
    std::unique_ptr<GameWindowLogic> logic;

    void SetUp() override { logic = MakeLogic(); }
    // An empty 4D box with a solid border, the player at its corner.
    void EmptyBox() {
        test::ForEachCell([&](int x, int y, int z, int w) {
            state->MazeSpace[CellIndex(x, y, z, w)] =
                test::IsInterior(x, y, z, w) ? CellOpen : CellBorder;
        });
    }
    void Load(const std::string& animation) {
        settings.WriteSetting(kSettingsSection, "Animation", animation);
        logic->Form_Load();
    }
    int Count(const std::string& effect) {
        return static_cast<int>(std::count(effects.played.begin(), effects.played.end(), effect));
    }
};

TEST(AnimationSetting, StoredTextMapsToAMenuIndexWithDefaultForNonsense) {
    EXPECT_EQ(AnimationIndexFromSetting("3"), 4);
    EXPECT_EQ(AnimationIndexFromSetting("-1"), 0);
    EXPECT_EQ(AnimationIndexFromSetting("6"), 7);
    EXPECT_EQ(AnimationIndexFromSetting("2.5"), 3);  // ties to even
    EXPECT_EQ(AnimationIndexFromSetting("7"), 4);
    EXPECT_EQ(AnimationIndexFromSetting("-2"), 4);
    EXPECT_EQ(AnimationIndexFromSetting("abc"), 4);
    EXPECT_EQ(AnimationIndexFromSetting("3x"), 4);
    EXPECT_EQ(AnimationIndexFromSetting(""), 4);
}

// The layout: the shell's default until the player chooses (also for a value no version
// wrote), and the menu item toggles it, tells the window and stores it at once.
TEST_F(LogicTest, LayoutIsTheShellsDefaultUntilChosenAndTheItemStoresIt) {
    logic->Form_Load();
    EXPECT_EQ(window.layout, LayoutKind::Classic);
    settings.WriteSetting(kSettingsSection, "Layout", "Fit ");
    logic->Form_Load();
    EXPECT_EQ(window.layout, LayoutKind::Classic);

    GameServices browser{random, clock, music, effects, settings, dialogs, pacer, "tower"};
    browser.defaultLayout = LayoutKind::Fit;
    auto page = std::make_unique<GameWindowLogic>(*state, window, browser);
    page->Form_Load();
    EXPECT_EQ(window.layout, LayoutKind::Fit);
    page->mnuFit_Click();
    EXPECT_EQ(window.layout, LayoutKind::Classic);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Layout", "?"), "classic");
    page->Form_Load();
    EXPECT_EQ(window.layout, LayoutKind::Classic);
    logic->mnuFit_Click();
    EXPECT_EQ(window.layout, LayoutKind::Fit);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Layout", "?"), "fit");
}

// The setting is read once at load and written once at unload.
TEST_F(LogicTest, LoadReadsTheSettingAndUnloadStoresIt) {
    logic->Form_Load();
    EXPECT_EQ(window.animationCheck, 4);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Animation", "?"), "3");
    logic->mnuAnimation_Click(0);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Animation", "?"), "3");
    logic->Form_Unload();
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Animation", "?"), "-1");
    EXPECT_EQ(music.calls.back(), "stop");
    EXPECT_EQ(logic->View().Cos(0), 10000);
}

TEST_F(LogicTest, TowerModeDisablesTheMakeMenu) {
    state->GameMode = kModeTower;
    logic->Form_Load();
    EXPECT_FALSE(window.makeMenuEnabled);
}

// Before any space exists the smooth view draws nothing, but the readouts still refresh.
// The plain redraw runs the music's loop watchdog through the game's music interface.
TEST_F(LogicTest, ThePlainRedrawRestartsAnEndedPiece) {
    test::ScriptedMusicDevice device;
    Music realMusic(device, dir.path());
    GameWindowLogic withMusic(*state, window,
                              GameServices{random, clock, realMusic, effects, settings, dialogs,
                                           pacer, dir.file("tower")});
    settings.WriteSetting(kSettingsSection, "Animation", "-1");
    withMusic.Form_Load();
    EmptyBox();
    realMusic.StartMusic("bgm.mid");
    device.EndPiece();
    withMusic.DrawScreen();
    EXPECT_TRUE(device.isPlaying());
}

TEST_F(LogicTest, DrawScreenWithoutASpaceLeavesTheViewBlack) {
    Load("3");
    EXPECT_EQ(window.canvas.rectangles, 0);
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(window.readout.captions[0], "X 軸 +方向");
    EXPECT_EQ(window.positionCaption, "現在地は 0,0,0,0");
}

TEST_F(LogicTest, DrawScreenSetsTheSmoothGeometryFromTheView) {
    EmptyBox();
    Load("3");
    EXPECT_EQ(logic->View().ViewCentreX, 222);
    EXPECT_EQ(logic->View().BlockWidth, 6);
    EXPECT_EQ(window.canvas.rectangles, 79 * 79);
    window.canvas.width = window.canvas.height = 77;
    logic->DrawScreen();
    EXPECT_EQ(logic->View().BlockWidth, 1);
}

// "アニメーション無し" never casts rays; "1段階" draws once; "64段階" 64 times.
TEST_F(LogicTest, TurnsDrawOneSmoothPicturePerFrame) {
    EmptyBox();
    struct Case {
        const char* setting;
        int smoothPictures;
    };
    for (const Case c : {Case{"-1", 0}, Case{"0", 1}, Case{"3", 8}, Case{"6", 64}}) {
        Load(c.setting);
        const int before = window.canvas.rectangles;
        const int framesBefore = pacer.frames;
        logic->Rot_Click(0);
        EXPECT_EQ((window.canvas.rectangles - before) / (79 * 79), c.smoothPictures) << c.setting;
        EXPECT_EQ(pacer.frames - framesBefore, c.smoothPictures) << c.setting;
    }
    EXPECT_EQ(Count("Za.wav"), 4);
    EXPECT_EQ(state->Orientation, kIdentity);  // four left turns
}

TEST_F(LogicTest, TurnAppliesTheTableAndRefreshesReadouts) {
    EmptyBox();
    Load("-1");
    const int polygonsBefore = window.canvas.polygons;
    logic->Rot_Click(0);
    EXPECT_GT(window.canvas.polygons, polygonsBefore);
    EXPECT_EQ(state->Orientation[1][0], 1);
    EXPECT_EQ(window.readout.captions[0], "Y 軸 +方向");
    EXPECT_EQ(window.readout.captions[1], "X 軸 -");
    EXPECT_EQ(effects.played, std::vector<std::string>{"Za.wav"});
}

TEST_F(LogicTest, AnimatedTurnEndsOnTheExactMatrix) {
    EmptyBox();
    Load("2");
    std::vector<int32_t> forwardX;
    pacer.onFrame = [&] { forwardX.push_back(logic->View().SmoothMatrix[0][0]); };
    logic->Rot_Click(2);
    EXPECT_EQ(forwardX, (std::vector<int32_t>{9239, 7071, 3827, 0}));
    EXPECT_EQ(logic->View().SmoothMatrix[2][0], 10000);
}

// Step pictures show the rest of the step: 7500, 5000, 2500, then 0.
TEST_F(LogicTest, FourPictureStepShowsThreeQuartersHalfQuarterThenNothing) {
    EmptyBox();
    Load("2");
    std::vector<int32_t> offsets;
    pacer.onFrame = [&] { offsets.push_back(logic->View().SmoothOffset[0]); };
    logic->Ahead_Click(0);
    EXPECT_EQ(offsets, (std::vector<int32_t>{7500, 5000, 2500, 0}));
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    offsets.clear();
    logic->Ahead_Click(1);
    EXPECT_EQ(offsets, (std::vector<int32_t>{-7500, -5000, -2500, 0}));
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    EXPECT_EQ(window.positionCaption, "現在地は 0,0,0,0");
    EXPECT_EQ(Count("Za.wav"), 2);
}

TEST_F(LogicTest, BlockedStepOnlyBumps) {
    EmptyBox();
    Load("3");
    const int refreshes = window.refreshes;
    logic->Ahead_Click(1);  // behind the start is the border
    state->MazeSpace[CellIndex(5, 4, 4, 4)] = CellWall;
    logic->Ahead_Click(0);
    EXPECT_EQ(effects.played, (std::vector<std::string>{"dom.wav", "dom.wav"}));
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    EXPECT_EQ(window.refreshes, refreshes);
    EXPECT_EQ(pacer.frames, 0);
}

TEST_F(LogicTest, KeypadDrivesTurnsAndSteps) {
    EmptyBox();
    Load("-1");
    logic->Form_KeyDown(5, false);
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    logic->Form_KeyDown(5, true);  // Rot_Click(4): forward turns to the fourth axis
    EXPECT_EQ(state->Orientation[3][0], 1);
    logic->Form_KeyDown(1, false);
    logic->Form_KeyDown(3, true);
    EXPECT_EQ(Count("Za.wav"), 2);
    for (int i = 0; i < 4; ++i) logic->Form_KeyDown(4, false);
    EXPECT_EQ(state->Orientation[3][0], 1);
    logic->Form_KeyDown(0, false);  // back
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    EXPECT_EQ(Count("dom.wav"), 1);  // w = 3 is the border
}

TEST_F(LogicTest, RestartIsDisabledUntilTheFirstMazeAndF6ObeysIt) {
    Load("-1");
    logic->BuildFirstSpace();
    EXPECT_FALSE(logic->mnuFile_Click());
    music.calls.clear();
    logic->mnuFMRe_Shortcut();
    EXPECT_TRUE(music.calls.empty());  // nothing was generated
    logic->mnuFMJJigen_Click(1);
    logic->mnuFMMake_Click(1);
    EXPECT_TRUE(logic->mnuFile_Click());
    EXPECT_EQ(window.caption, "2次元迷路：難易度 初級");
    EXPECT_EQ(window.goalCaption, "12,12,0,0です");
}

TEST_F(LogicTest, NewMazeResetsPoseClockPanelAndCaption) {
    Load("-1");
    logic->BuildFirstSpace();
    window.busyHistory.clear();
    clock.now = 500.0;
    window.clearVisible = true;
    logic->mnuFMJJigen_Click(3);
    logic->mnuFMMake_Click(4);
    EXPECT_EQ(state->DimIndex, 3);
    EXPECT_EQ(state->Difficulty, 7);
    EXPECT_EQ(window.caption, "4次元迷路：難易度 特級");
    EXPECT_EQ(state->StartTime, 500.0);
    EXPECT_FALSE(window.clearVisible);
    EXPECT_TRUE(window.timer1);
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false}));
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    // Returning to the start keeps the clock.
    logic->Rot_Click(0);
    clock.now = 600.0;
    logic->mnuFMStart_Click();
    EXPECT_EQ(state->Orientation, kIdentity);
    EXPECT_EQ(state->StartTime, 500.0);
}

TEST_F(LogicTest, FiguresKeepTheLevelAndResetThePose) {
    Load("-1");
    logic->BuildFirstSpace();
    logic->mnuFMJJigen_Click(2);
    logic->mnuFMMake_Click(3);
    state->PlayerPos = {6, 4, 4, 4};
    logic->mnuFZZukei_Click(1);
    EXPECT_EQ(window.caption, "3次元迷路： 球");
    EXPECT_EQ(window.goalCaption, "ありません");
    EXPECT_EQ(state->Difficulty, 5);
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    EXPECT_TRUE(logic->mnuFile_Click());
}

// Switching the language says every text the rules made again (caption, goal, readouts,
// clear time, auto cruise item) and stores the choice; the game itself does not move.
TEST_F(LogicTest, LanguageSwitchSaysTheTextsAgainAndLeavesTheGameAsItWas) {
    struct BackToJapanese {
        ~BackToJapanese() { text::SetLanguage(text::Language::Japanese); }
    } restore;
    Load("-1");
    logic->BuildFirstSpace();
    logic->mnuFMJJigen_Click(1);
    logic->mnuFMMake_Click(1);
    logic->Rot_Click(0);
    window.clearTimeCaption = ClearTimeCaption(65);  // as if after a clear: not the rules' own
    // The dimension submenu was opened again without making anything: the caption still
    // names the maze that is shown.
    logic->mnuFMJJigen_Click(3);
    const test::FakeGameWindow japanese = window;
    const CellGrid maze = state->MazeSpace;
    const Vec4 pos = state->PlayerPos;
    const Matrix4 orientation = state->Orientation;
    const double started = state->StartTime;

    logic->mnuLanguage_Click(text::Language::English);
    EXPECT_EQ(window.caption, "2D maze — Easy");
    EXPECT_EQ(window.goalCaption, "12,12,0,0");
    EXPECT_EQ(window.readout.captions[0], "Facing +Y");
    EXPECT_EQ(window.positionCaption, "Position: 0,0,0,0");
    EXPECT_EQ(window.autoCruiseCaption, "Auto cruise");
    EXPECT_EQ(window.clearTimeCaption, japanese.clearTimeCaption);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Language", "?"), "en");
    EXPECT_EQ(state->MazeSpace, maze);
    EXPECT_EQ(state->PlayerPos, pos);
    EXPECT_EQ(state->Orientation, orientation);
    EXPECT_EQ(state->StartTime, started);

    logic->mnuLanguage_Click(text::Language::Japanese);
    EXPECT_EQ(window.caption, japanese.caption);
    EXPECT_EQ(window.caption, "2次元迷路：難易度 初級");
    EXPECT_EQ(window.goalCaption, japanese.goalCaption);
    EXPECT_EQ(window.readout.captions, japanese.readout.captions);
    EXPECT_EQ(window.positionCaption, japanese.positionCaption);
    EXPECT_EQ(window.autoCruiseCaption, japanese.autoCruiseCaption);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Language", "?"), "ja");

    // A figure space and a tower floor are said again too; a clear time as well.
    logic->mnuFZZukei_Click(0);
    logic->mnuLanguage_Click(text::Language::English);
    EXPECT_EQ(window.caption, "4D maze — empty box");
    EXPECT_EQ(window.goalCaption, "none");
    state->GameMode = kModeTower;
    state->TowerFloor = 7;
    SetNewTowerStart(*state);
    state->TowerFloor = 7;
    logic->mnuFMRe_Click();
    EXPECT_EQ(window.caption, "Tower — floor 7");
    state->MazeSpace[CellIndex(StepTarget(state->PlayerPos, state->Orientation, 1))] = CellGoal;
    state->GameMode = kModePractice;
    clock.now = state->StartTime + 83;
    logic->Ahead_Click(0);
    EXPECT_EQ(window.clearTimeCaption, "Clear time: 1:23");
    logic->mnuLanguage_Click(text::Language::Japanese);
    EXPECT_EQ(window.caption, "5duzu：7階");
    EXPECT_EQ(window.clearTimeCaption, "Clear Time :   1:23");
}

class ClearTest : public LogicTest {
protected:
    void SetUp() override {
        LogicTest::SetUp();
        EmptyBox();
        Load("-1");
        state->DimIndex = 1;
        state->Difficulty = 1;
        state->MazeSpace[CellIndex(5, 4, 4, 4)] = CellGoal;
        state->StartTime = 1000.0;
    }
    void ClearAfter(double seconds) {
        clock.now = 1000.0 + seconds;
        logic->Ahead_Click(0);
    }
};

TEST_F(ClearTest, ARecordAsksTheNameStoresItAndReloadsTheRanking) {
    dialogs.names.push_back("あきら");
    ClearAfter(125.9);
    EXPECT_TRUE(window.clearVisible);
    EXPECT_EQ(window.clearTimeCaption, "Clear Time :   2:05");
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(music.calls.back(), "stop");
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(
        dialogs.prompts[0],
        "名前入力|新記録達成！！\r\nお名前をどうぞ。\r\n\r\n新記録は  2分  5秒、旧記録は 60分 "
        "0秒でした。");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Time10", "?"), "125");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Name10", "?"), "あきら");
    EXPECT_EQ(window.rankingShows, 1);
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));  // the player stays in front
    EXPECT_TRUE(effects.played.empty());
}

TEST_F(ClearTest, SlowerAndEqualClearsAskNothing) {
    settings.WriteSetting(kSettingsSection, "Time10", "60");
    ClearAfter(60.2);
    ClearAfter(60.0);
    EXPECT_EQ(window.clearTimeCaption, "Clear Time :   1:00");
    EXPECT_TRUE(dialogs.prompts.empty());
    EXPECT_EQ(dialogs.beeps, 2);
    ClearAfter(59.7);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Time10", "?"), "59");
}

TEST_F(ClearTest, ACancelledNameIsStoredEmpty) {
    settings.WriteSetting(kSettingsSection, "Name10", "前の人");
    ClearAfter(10);
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Name10", ""), "");
    logic->picClear_Click();
    EXPECT_FALSE(window.clearVisible);
}

// Opening "作成" > "3次元" and leaving it moves the dimension F6 builds, but a clear of the
// 2D maze still counts for the 2D table.
TEST_F(ClearTest, AClearIsFiledUnderTheMazeThatWasPlayed) {
    logic->mnuFMJJigen_Click(1);
    logic->mnuFMMake_Click(2);    // 2D 中級
    logic->mnuFMJJigen_Click(2);  // browsed, nothing chosen
    state->MazeSpace[CellIndex(5, 4, 4, 4)] = CellGoal;
    state->PlayerPos = {4, 4, 4, 4};
    state->Orientation = kIdentity;
    dialogs.names.push_back("二次元");
    clock.now = state->StartTime + 30.5;
    logic->Ahead_Click(0);
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Time11", "?"), "30");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Name11", "?"), "二次元");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Time21", "?"), "?");
    EXPECT_EQ(LoadRanking(settings)[4 * 1 + 1].name, "Pelkin");
    // F6 still builds the browsed dimension.
    logic->mnuFMRe_Shortcut();
    EXPECT_EQ(window.caption, "3次元迷路：難易度 中級");
}

// A record that cannot be saved (a full disk) is told once and kept for the run: stepping
// into the goal again asks no name, the ranking shows the new record, the file keeps its bytes.
TEST_F(ClearTest, ARecordThatCannotBeSavedIsToldOnceAndKeptForTheRun) {
    const std::string text = "[Kestrune]\nAnimation=-1\nTime10=100\nName10=Ann\n";
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), text));
    dialogs.names = {"Bob", "Carl"};
    std::array<RankingCell, 12> ranking;
    {
        test::FullDisk full;
        ClearAfter(50);
        ClearAfter(51);
        ClearAfter(50);  // equal to the kept record: no record
        ranking = LoadRanking(settings);
        ClearAfter(40);  // a better one asks again, but is not told again
    }
    EXPECT_EQ(dialogs.beeps, 4);
    ASSERT_EQ(dialogs.prompts.size(), 2u);
    EXPECT_NE(dialogs.prompts[1].find("旧記録は 0分 50秒"), std::string::npos)
        << dialogs.prompts[1];
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "記録をファイルに保存できませんでした。\n" + settings.SettingsPath());
    EXPECT_EQ(ranking[0].name, "Bob");
    EXPECT_EQ(ranking[0].time, "0:50");
    EXPECT_EQ(window.rankingShows, 2);
    EXPECT_EQ(ReadWholeFile(settings.SettingsPath()), text);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Name10", "?"), "Carl");
}

TEST_F(ClearTest, TheClockTicksTheElapsedTime) {
    clock.now = 1065.5;
    logic->Timer1_Timer();
    EXPECT_EQ(window.clockCaption, "1:05");
}

class TowerTest : public LogicTest {
protected:
    void SetUp() override {
        LogicTest::SetUp();
        state->GameMode = kModeTower;
        SetNewTowerStart(*state);
        Load("-1");
        logic->BuildFirstSpace();
    }
    Vec4 Goal() const {
        return {state->GoalPos[0], state->GoalPos[1], state->GoalPos[2], state->GoalPos[3]};
    }
    // Stand beside the goal facing it (the cell before it is opened for the test).
    void StandBesideGoal() {
        Vec4 g = Goal();
        Vec4 p = g;
        p[0] = g[0] == 16 ? 15 : g[0] + 1;
        state->MazeSpace[CellIndex(p)] = CellOpen;
        state->PlayerPos = p;
        state->Orientation = kIdentity;
        if (p[0] > g[0]) {
            state->Orientation[0][0] = -1;
            state->Orientation[1][1] = -1;
        }
    }
};

TEST_F(TowerTest, FirstFloorStartsAtTheStartPose) {
    EXPECT_EQ(window.caption, "5duzu：1階");
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    EXPECT_EQ(state->Orientation, kIdentity);
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false}));
}

TEST_F(TowerTest, YesClimbsWritesTheFileAndKeepsTheOrientation) {
    StandBesideGoal();
    const Vec4 goal = Goal();
    const Matrix4 facing = state->Orientation;
    dialogs.answers.push_back(true);
    logic->Ahead_Click(0);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0], "Kestrune|次の階へ向かう階段がある。\r\r登りますか？");
    EXPECT_EQ(state->TowerFloor, 2);
    EXPECT_EQ(window.caption, "5duzu：2階");
    EXPECT_EQ(state->PlayerPos, goal);
    EXPECT_EQ(state->Orientation, facing);
    std::string expected = "2\r\n";
    for (int k = 0; k < 4; ++k) expected += std::to_string(goal[k]) + "\r\n";
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p) expected += std::to_string(facing[a][p]) + "\r\n";
    EXPECT_EQ(ReadWholeFile(dir.file("tower")).value_or(""), expected);
    EXPECT_EQ(window.endings, 0);
}

TEST_F(TowerTest, NoStaysAndHidesThePanel) {
    StandBesideGoal();
    const Vec4 before = state->PlayerPos;
    window.clearVisible = true;
    dialogs.answers.push_back(false);
    logic->Ahead_Click(0);
    EXPECT_EQ(state->TowerFloor, 1);
    EXPECT_EQ(state->PlayerPos, before);
    EXPECT_FALSE(window.clearVisible);
    EXPECT_FALSE(ReadWholeFile(dir.file("tower")));
}

TEST_F(TowerTest, Floor99PlaysTheEndingBeforeTheQuestion) {
    state->TowerFloor = 99;
    StandBesideGoal();
    dialogs.answers.push_back(false);
    logic->Ahead_Click(0);
    EXPECT_EQ(window.endings, 1);
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

// Under auto cruise the climb is immediate: no ending, no question, no file.
TEST_F(TowerTest, AutoCruiseClimbsFloor99AtOnce) {
    state->TowerFloor = 99;
    logic->mnuFMRe_Click();
    StandBesideGoal();
    window.autoCruiseCaption = kAutoCruiseRunning;
    logic->Ahead_Click(0);
    EXPECT_EQ(state->TowerFloor, 100);
    EXPECT_EQ(window.endings, 0);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_FALSE(ReadWholeFile(dir.file("tower")));
}

TEST_F(TowerTest, AFailedWriteIsToldAndTheClimbGoesOn) {
    logic = std::make_unique<GameWindowLogic>(
        *state, window,
        GameServices{random, clock, music, effects, settings, dialogs, pacer,
                     dir.file("missing-dir/tower")});
    StandBesideGoal();
    dialogs.answers.push_back(true);
    logic->Ahead_Click(0);
    EXPECT_EQ(state->TowerFloor, 2);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    // One sentence a line, so the box never breaks inside a word.
    EXPECT_EQ(dialogs.messages[0],
              "塔の記録ファイル「" + dir.file("missing-dir/tower") +
                  "」に書き込めませんでした。\nこの階からの再開はできません。");
}

TEST_F(TowerTest, RestartRebuildsTheSameFloor) {
    const auto cells = state->MazeSpace;
    state->PlayerPos = {6, 6, 6, 6};
    logic->mnuFMRe_Click();
    EXPECT_EQ(state->MazeSpace, cells);
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    EXPECT_EQ(window.caption, "5duzu：1階");
}

class HintLogicTest : public LogicTest {
protected:
    void SetUp() override {
        LogicTest::SetUp();
        EmptyBox();
        Load("-1");
        state->PlayerPos = {8, 8, 8, 8};
        for (int b = 0; b < 4; ++b)
            for (int t : {-1, 1}) SetDistance(b, t, 32767);
    }
    void SetDistance(int axis, int sign, int16_t v) {
        Vec4 q = state->PlayerPos;
        q[axis] += sign;
        state->DistanceMap[CellIndex(q)] = v;
    }
};

TEST_F(HintLogicTest, NoTurnWhenAlreadyFacingOneTurnToTheLeft) {
    SetDistance(0, 1, 3);
    logic->SetDirToGoal();
    EXPECT_TRUE(effects.played.empty());
    SetDistance(0, 1, 32767);
    SetDistance(1, 1, 3);
    logic->SetDirToGoal();
    EXPECT_EQ(Count("Za.wav"), 1);
    EXPECT_EQ(state->Orientation[1][0], 1);
}

TEST_F(HintLogicTest, FacingAwayTurnsTwiceWithTheDrawnPlane) {
    SetDistance(0, -1, 3);
    random.script = {0.5};  // 2 * floor(1.5) + 1 = 3: the up plane
    logic->SetDirToGoal();
    EXPECT_EQ(Count("Za.wav"), 2);
    EXPECT_EQ(state->Orientation[0][0], -1);
    EXPECT_EQ(state->Orientation[2][2], -1);  // upside down after two turns down
    EXPECT_EQ(state->Orientation[1][1], 1);
}

TEST_F(HintLogicTest, AutoCruiseStopsAfterOneStepWhenTheItemIsClickedAgain) {
    SetDistance(0, 1, 3);
    window.onProcessEvents = [&] { logic->mnuAutoClouse_Click(); };
    logic->mnuAutoClouse_Click();
    EXPECT_EQ(window.eventPumps, 1);
    EXPECT_EQ(state->PlayerPos, (Vec4{9, 8, 8, 8}));
    EXPECT_EQ(window.autoCruiseCaption, kAutoCruiseIdle);
    EXPECT_EQ(window.unloads, 0);
}

// A language switch while auto cruise runs renames the item and the cruise goes on.
TEST_F(HintLogicTest, AutoCruiseGoesOnAcrossALanguageSwitch) {
    struct BackToJapanese {
        ~BackToJapanese() { text::SetLanguage(text::Language::Japanese); }
    } restore;
    SetDistance(0, 1, 3);
    int pumps = 0;
    window.onProcessEvents = [&] {
        ++pumps;
        if (pumps == 1) {
            logic->mnuLanguage_Click(text::Language::English);
            EXPECT_EQ(window.autoCruiseCaption, "Stop auto cruise");
        }
        if (pumps == 3) logic->mnuAutoClouse_Click();
    };
    logic->mnuAutoClouse_Click();
    EXPECT_EQ(pumps, 3);
    EXPECT_EQ(window.autoCruiseCaption, "Auto cruise");
}

TEST_F(HintLogicTest, ClosingTheWindowEndsAutoCruiseAndUnloads) {
    SetDistance(0, 1, 3);
    int steps = 0;
    window.onProcessEvents = [&] {
        if (++steps == 3) window.shown = false;
    };
    logic->mnuAutoClouse_Click();
    EXPECT_EQ(window.eventPumps, 3);
    EXPECT_EQ(window.unloads, 1);
}

// In practice auto cruise walks into the goal and keeps clearing until stopped.
TEST_F(LogicTest, AutoCruiseWalksAMazeToItsGoalAndKeepsClearing) {
    Load("-1");
    logic->BuildFirstSpace();
    logic->mnuFMJJigen_Click(1);
    logic->mnuFMMake_Click(1);
    int pumps = 0;
    window.onProcessEvents = [&] {
        if (dialogs.beeps == 2 || ++pumps > 5000) logic->mnuAutoClouse_Click();
    };
    logic->mnuAutoClouse_Click();
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_LT(pumps, 5000);
}

}  // namespace
}  // namespace kestrune
