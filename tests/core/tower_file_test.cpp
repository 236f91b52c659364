// The tower file: exact layout, and damaged files never reach generation.
#include <gtest/gtest.h>

#include "game/files.h"
#include "game/tower_file.h"
#include "test_support.h"

namespace kestrune {
namespace {

class TowerFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::unique_ptr<GameState> state = test::MakeState();
    std::string path() const { return dir.file("tower"); }
    void write(const std::string& text) { ASSERT_TRUE(WriteFileAtomically(path(), text)); }
    void expectNewTowerPose() {
        EXPECT_EQ(state->StartPose[0], (std::array<int16_t, 4>{4, 4, 4, 4}));
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) EXPECT_EQ(state->StartPose[i + 1][j], i == j ? 1 : 0);
    }
};

std::string Lines(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += std::to_string(v) + "\r\n";
    return s;
}

TEST_F(TowerFileTest, MissingFileStartsANewTower) {
    EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::NewTower);
    EXPECT_EQ(state->TowerFloor, 1);
    expectNewTowerPose();
}

TEST_F(TowerFileTest, RoundTripIsByteForByte) {
    const std::string text =
        Lines({7, 10, 6, 4, 12, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1});
    write(text);
    EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::Resumed);
    EXPECT_EQ(state->TowerFloor, 7);
    EXPECT_EQ(state->StartPose[0], (std::array<int16_t, 4>{10, 6, 4, 12}));
    EXPECT_EQ(state->StartPose[1][1], -1);
    ASSERT_TRUE(WriteTowerFile(dir.file("copy"), *state));
    EXPECT_EQ(*ReadWholeFile(dir.file("copy")), text);
}

TEST_F(TowerFileTest, ClimbFromFloorOneWritesTheDocumentedLines) {
    state->TowerFloor = 2;
    state->StartPose[0] = {8, 12, 4, 16};
    for (int i = 0; i < 4; ++i) state->StartPose[i + 1][i] = 1;
    ASSERT_TRUE(WriteTowerFile(path(), *state));
    EXPECT_EQ(*ReadWholeFile(path()),
              Lines({2, 8, 12, 4, 16, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    // A staircase on the interior's last cell (16) resumes there, not at the new-tower start.
    auto resumed = test::MakeState();
    EXPECT_EQ(ReadTowerFile(path(), *resumed), TowerLoad::Resumed);
    EXPECT_EQ(resumed->StartPose, state->StartPose);
}

TEST_F(TowerFileTest, DamagedFloorStartsANewTowerAndLeavesTheFile) {
    for (const std::string& bad : {Lines({0, 4, 4, 4, 4}), Lines({-3}), std::string("abc\r\n"),
                                   std::string(""), std::string("99999\r\n")}) {
        write(bad);
        state->TowerFloor = 55;
        EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::FloorDamaged) << bad;
        EXPECT_EQ(state->TowerFloor, 1);
        expectNewTowerPose();
        EXPECT_EQ(*ReadWholeFile(path()), bad);
    }
}

TEST_F(TowerFileTest, DamagedPoseKeepsTheFloorWithTheNewTowerPose) {
    const std::vector<std::string> damaged = {
        Lines({12}),                                                               // short
        Lines({12, 4, 4, 4, 4, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0}),      // 20 lines
        Lines({12, 3, 4, 4, 4, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),   // cell 3
        Lines({12, 4, 4, 4, 17, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),  // cell 17
        Lines({12, 4, 4, 4, 4, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),   // two in row
        Lines({12, 4, 4, 4, 4, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),   // same column
        Lines({12, 4, 4, 4, 4, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),   // entry 2
        "12\r\n4\r\nfour\r\n4\r\n4\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0"
        "\r\n0\r\n0\r\n0\r\n1\r\n",  // text
    };
    for (const auto& bad : damaged) {
        write(bad);
        EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::PoseReset) << bad;
        EXPECT_EQ(state->TowerFloor, 12);
        expectNewTowerPose();
    }
}

TEST_F(TowerFileTest, LfLineEndsAndTrailingLinesAreAccepted) {
    write("3\n6\n6\n6\n6\n1\n0\n0\n0\n0\n1\n0\n0\n0\n0\n1\n0\n0\n0\n0\n1\nextra\n");
    EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::Resumed);
    EXPECT_EQ(state->StartPose[0][0], 6);
}

}  // namespace
}  // namespace kestrune
