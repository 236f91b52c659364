// Maze numbers: the code's form and its typo check, the maze a code builds, and the box that
// shows and takes codes.
#include "game/maze_code.h"

#include <gtest/gtest.h>

#include <regex>

#include "core/fake_game_window.h"
#include "core/logic_rig.h"
#include "game/maze.h"
#include "navigation/game_window_logic.h"
#include "navigation/records.h"
#include "test_support.h"

namespace kestrune {
namespace {

using test::RecordingMusic;
using test::RecordingTexts;

// 4D 上級 number 2026: the maze the browser test opens by its link, pinned with the same
// fingerprint as the generator pin of the seeded practice mazes.
constexpr const char* kPinnedCode = "4D-3-0002026-9";
constexpr uint64_t kPinnedDigest = 842926826180980445ull;

// Every code reads back as itself, from the ends of each range, in the shape players read out.
TEST(MazeCode, FormatsAndReadsBackEveryDimensionLevelAndNumberRange) {
    const std::regex shape("[234]D-[1-4]-[0-9]{7}-[0-9]");
    for (int dimIndex = 1; dimIndex <= 3; ++dimIndex)
        for (int level = 1; level <= 4; ++level)
            for (int32_t number : {0, 7, 412345, kMazeNumberCount - 1}) {
                const MazeCode code{dimIndex, level, number};
                const std::string text = FormatMazeCode(code);
                SCOPED_TRACE(text);
                EXPECT_TRUE(std::regex_match(text, shape));
                const ParsedMazeCode parsed = ParseMazeCode(text);
                EXPECT_EQ(parsed.error, MazeCodeError::None);
                EXPECT_EQ(parsed.code, code);
            }
    EXPECT_EQ(FormatMazeCode({3, 3, 2026}), kPinnedCode);
}

// What players type or paste: any case, spaces, full-width characters from a Japanese input
// method, the whole link. Codes of no maze are refused.
TEST(MazeCode, ReadsCodesAsTypedAndRefusesNonCodes) {
    const MazeCode pinned{3, 3, 2026};
    for (const char* typed :
         {"4D-3-0002026-9", "4d-3-0002026-9", " 4D 3 0002026 9 ", "4d300020269",
          "４Ｄ－３－０００２０２６－９", "４ｄ　３ー０００２０２６ー９",
          "https://example.org/kestrune/#maze=4D-3-0002026-9", "#MAZE=4D-3-0002026-9"}) {
        SCOPED_TRACE(typed);
        const ParsedMazeCode parsed = ParseMazeCode(typed);
        EXPECT_EQ(parsed.error, MazeCodeError::None);
        EXPECT_EQ(parsed.code, pinned);
    }
    for (const char* typed : {"", "4D-3-2026-8", "4D-3-00002026-9", "4D-3-0002026",
                              "4X-3-0002026-9", "4D-3-0002026-9-1", "5D-3-0002026-3", "\xff\xfe"}) {
        SCOPED_TRACE(typed);
        EXPECT_NE(ParseMazeCode(typed).error, MazeCodeError::None);
    }
    // Dimensions and levels that do not exist, with a check digit that agrees.
    for (const MazeCode impossible :
         {MazeCode{0, 3, 5}, MazeCode{4, 1, 5}, MazeCode{2, 0, 5}, MazeCode{2, 5, 5}}) {
        const std::string text = FormatMazeCode(impossible);
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseMazeCode(text).error, MazeCodeError::Form);
    }
}

// A single slip (a character changed, dropped, added, or swapped with its neighbour) is
// either refused or reads as the same code: it never builds another maze.
TEST(MazeCode, NoSingleSlipNamesAnotherMaze) {
    const std::string alphabet = "0123456789DdX- ";
    int refused = 0;
    int slips = 0;
    for (const MazeCode code : {MazeCode{3, 3, 2026}, MazeCode{1, 1, 0}, MazeCode{2, 4, 9876543},
                                MazeCode{3, 2, 1111111}}) {
        const std::string text = FormatMazeCode(code);
        auto check = [&](const std::string& slip) {
            ++slips;
            const ParsedMazeCode parsed = ParseMazeCode(slip);
            if (parsed.error != MazeCodeError::None)
                ++refused;
            else
                EXPECT_EQ(parsed.code, code) << text << " slipped to " << slip;
        };
        for (size_t i = 0; i < text.size(); ++i) {
            for (const char c : alphabet) {
                if (c == text[i]) continue;
                check(text.substr(0, i) + c + text.substr(i + 1));  // changed
                check(text.substr(0, i) + c + text.substr(i));      // added
            }
            check(text.substr(0, i) + text.substr(i + 1));  // dropped
            if (i + 1 < text.size() && text[i] != text[i + 1]) {
                std::string swapped = text;
                std::swap(swapped[i], swapped[i + 1]);
                check(swapped);
            }
        }
    }
    // Most slips are refused; the rest only move or change a separator or the letter's case.
    EXPECT_GT(refused, slips * 8 / 10);
}

// The same code builds the same maze, pixel for pixel: its interior, goal, level and colour
// are pinned, and the browser test checks the same fingerprint.
TEST(MazeCode, ACodeBuildsThePinnedMaze) {
    const ParsedMazeCode parsed = ParseMazeCode(kPinnedCode);
    ASSERT_EQ(parsed.error, MazeCodeError::None);
    auto s = test::PracticeState(parsed.code.dimIndex, 2 * parsed.code.level - 1);
    StandardRandom random;
    random.SeedFromClock();  // whatever came before, the number alone decides
    random.Next();
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*s, random, music, texts, parsed.code.number);
    EXPECT_EQ(s->MazeNumber, 2026);
    EXPECT_EQ(MazeDigest(*s), kPinnedDigest);
}

// A fresh practice maze draws its number, and that number alone rebuilds it.
TEST(MazeCode, AFreshMazeIsRebuiltFromItsNumber) {
    auto fresh = test::PracticeState(2, 3);
    auto again = test::PracticeState(2, 3);
    StandardRandom random;
    RecordingMusic music;
    RecordingTexts texts;
    MakeMaze(*fresh, random, music, texts);
    EXPECT_GE(fresh->MazeNumber, 0);
    EXPECT_LT(fresh->MazeNumber, kMazeNumberCount);
    MakeMaze(*again, random, music, texts, fresh->MazeNumber);
    EXPECT_EQ(again->MazeSpace, fresh->MazeSpace);
    EXPECT_EQ(again->DistanceMap, fresh->DistanceMap);
}

class MazeNumberTest : public ::testing::Test, protected test::LogicRig {
protected:
    std::unique_ptr<GameWindowLogic> logic;

    void SetUp() override {
        logic = MakeLogic();
        settings.WriteSetting(kSettingsSection, "Animation", "-1");
        logic->Form_Load();
        logic->BuildFirstSpace();
    }
};

// The box shows the code of the maze in play; typed back after other mazes, the code builds
// that maze again as the level menus would (dimension, level, caption, clock), and the
// address of a browser shows its link.
TEST_F(MazeNumberTest, ACodeTypedBackRebuildsItsMazeAtItsDimensionAndLevel) {
    EXPECT_EQ(window.mazeCode, "");  // the empty box has no code
    logic->mnuFMJJigen_Click(2);
    logic->mnuFMMake_Click(2);
    const std::string code = logic->MazeCodeText();
    EXPECT_EQ(window.mazeCode, code);
    EXPECT_EQ(code.substr(0, 5), "3D-2-");
    const CellGrid maze = state->MazeSpace;

    random.clockSeed = 777;  // another fresh number
    logic->mnuFMJJigen_Click(1);
    logic->mnuFMMake_Click(4);
    ASSERT_NE(state->MazeSpace, maze);
    clock.now = 90.0;
    window.timer1 = false;

    dialogs.typedCodes = {code};
    logic->mnuMazeNumber_Click();
    ASSERT_EQ(dialogs.shownCodes.size(), 1u);
    EXPECT_EQ(dialogs.shownCodes[0].substr(0, 5), "2D-4-");
    EXPECT_EQ(state->MazeSpace, maze);
    EXPECT_EQ(state->DimIndex, 2);
    EXPECT_EQ(state->Difficulty, 3);
    EXPECT_EQ(window.caption, "3次元迷路：難易度 中級");
    EXPECT_EQ(state->StartTime, 90.0);
    EXPECT_TRUE(window.timer1);
    EXPECT_EQ(logic->MazeCodeText(), code);
    EXPECT_EQ(window.mazeCode, code);
    EXPECT_TRUE(dialogs.messages.empty());

    // "同じ条件でもう一度" still makes a new random maze of the same settings.
    random.clockSeed = 778;
    logic->mnuFMRe_Click();
    EXPECT_NE(state->MazeSpace, maze);
    EXPECT_EQ(logic->MazeCodeText().substr(0, 5), "3D-2-");
}

// A code's maze is an ordinary maze of its dimension and level: its clear is that record,
// even when another dimension's submenu was opened last.
TEST_F(MazeNumberTest, ACodesMazeClearsIntoTheRecordOfItsDimensionAndLevel) {
    logic->mnuFMJJigen_Click(3);
    ASSERT_TRUE(logic->OpenMazeCode(FormatMazeCode({1, 2, 4242})));
    dialogs.names = {"Ann"};
    window.onProcessEvents = [&] {
        if (dialogs.beeps == 1) logic->mnuAutoClouse_Click();
    };
    logic->mnuAutoClouse_Click();
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, RecordKey("Name", 1, 1), "?"), "Ann");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, RecordKey("Name", 3, 1), "?"), "?");
}

// A mistyped code is told to the player and changes nothing; the box opens again with it so
// that it can be corrected, and closing it leaves the maze as it was.
TEST_F(MazeNumberTest, ABadCodeIsToldAndChangesNothing) {
    logic->mnuFMJJigen_Click(3);
    logic->mnuFMMake_Click(1);
    const std::string code = logic->MazeCodeText();
    const CellGrid maze = state->MazeSpace;
    const std::string caption = window.caption;
    music.calls.clear();
    clock.now = 50.0;

    std::string typo = code;
    std::swap(typo[7], typo[8]);  // two digits of the number swapped
    if (typo == code) typo[7] = typo[7] == '1' ? '2' : '1';
    dialogs.typedCodes = {typo, "3D-9-1234567-0", std::nullopt};
    logic->mnuMazeNumber_Click();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.shownEntries, (std::vector<std::string>{"", typo, "3D-9-1234567-0"}));
    EXPECT_EQ(dialogs.shownCodes, (std::vector<std::string>{code, code, code}));
    EXPECT_EQ(state->MazeSpace, maze);
    EXPECT_EQ(state->DimIndex, 3);
    EXPECT_EQ(state->Difficulty, 1);
    EXPECT_EQ(window.caption, caption);
    EXPECT_EQ(window.mazeCode, code);
    EXPECT_TRUE(music.calls.empty());
    EXPECT_NE(state->StartTime, 50.0);
}

// A figure space has no code: the box offers only the entry field. The tower has no
// practice mazes: a code (a link, say) is refused there.
TEST_F(MazeNumberTest, FiguresShowNoCodeAndTheTowerRefusesCodes) {
    logic->mnuFMJJigen_Click(1);
    logic->mnuFMMake_Click(1);
    logic->mnuFZZukei_Click(0);
    EXPECT_EQ(window.mazeCode, "");
    logic->mnuMazeNumber_Click();
    EXPECT_EQ(dialogs.shownCodes, (std::vector<std::string>{""}));

    state->GameMode = kModeTower;
    const CellGrid space = state->MazeSpace;
    EXPECT_FALSE(logic->OpenMazeCode(kPinnedCode));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(state->MazeSpace, space);
}

}  // namespace
}  // namespace kestrune
