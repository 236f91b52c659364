// Game state layout, number conversions, the generator and the file services.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "game/files.h"
#include "game/game_state.h"
#include "game/numbers.h"
#include "game/services.h"
#include "test_support.h"

namespace kestrune {
namespace {

TEST(GameState, ElementNumbersFollowXFastestLayout) {
    EXPECT_EQ(CellIndex(0, 0, 0, 0), 0);
    EXPECT_EQ(CellIndex(4, 4, 4, 4), 38896);
    EXPECT_EQ(CellIndex(16, 16, 16, 16), 155584);
    EXPECT_EQ(CellIndex(20, 20, 20, 20), 194480);
    EXPECT_EQ(kCellCount, 194481);
    EXPECT_EQ(ReadoutCoordinate(16), 12);
}

// Program start holds the table's initial values; the entry then sets the pose and table.
TEST(GameState, StartsZeroedAndStartupSetsPoseTableAndMode) {
    auto s = test::MakeState();
    EXPECT_EQ(s->MazeSpace[CellIndex(0, 0, 0, 0)], 0);
    EXPECT_EQ(s->Difficulty, 0);
    EXPECT_EQ(s->TowerFloor, 0);
    EXPECT_EQ(s->StartTime, 0.0);
    EXPECT_EQ(s->WallColour, (std::array<int16_t, 3>{0, 0, 0}));
    PrepareStartup(*s);
    EXPECT_EQ(s->Orientation, kIdentity);
    EXPECT_EQ(s->PlayerPos, (Vec4{4, 4, 4, 4}));
    EXPECT_EQ(s->DimIndex, 3);
    EXPECT_EQ(s->GameMode, kModeTitle);
    EXPECT_EQ(s->RotationTable[0], "1211011111211112");
    EXPECT_EQ(s->RotationTable[11], "2111121111101121");
}

TEST(Numbers, NearestRoundsHalfToEven) {
    EXPECT_EQ(ToInt32(0.5), 0);
    EXPECT_EQ(ToInt32(1.5), 2);
    EXPECT_EQ(ToInt32(2.5), 2);
    EXPECT_EQ(ToInt32(-2.5), -2);
    EXPECT_EQ(ToInt32(127.5), 128);
    EXPECT_EQ(ToInt16(2.4999), 2);
}

TEST(Numbers, TimeTextPadsSecondsOnly) {
    EXPECT_EQ(TimeText(0), "0:00");
    EXPECT_EQ(TimeText(59), "0:59");
    EXPECT_EQ(TimeText(65), "1:05");
    EXPECT_EQ(TimeText(600), "10:00");
    EXPECT_EQ(TimeText(3600), "60:00");
    EXPECT_EQ(TimeText(7199), "119:59");
    EXPECT_EQ(TimeText(40000), "666:40");
}

TEST(Numbers, LeadingNumberReadsTheLongestPrefix) {
    EXPECT_EQ(LeadingNumber("3600"), 3600);
    EXPECT_EQ(LeadingNumber("  125abc"), 125);
    EXPECT_EQ(LeadingNumber("12.5s"), 12.5);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    long long v = 0;
    EXPECT_TRUE(ParseWholeInteger("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_FALSE(ParseWholeInteger("12x", v));
    EXPECT_FALSE(ParseWholeInteger("", v));
    EXPECT_FALSE(ParseWholeInteger("99999999999999999999999", v));
}

// Same seed, same sequence: tower floors depend on it.
TEST(Random, ResetReproducesTheSequenceAndStaysInUnitInterval) {
    StandardRandom a, b;
    a.Reset(7);
    b.Next();
    b.Reset(7);
    for (int i = 0; i < 1000; ++i) {
        double x = a.Next();
        ASSERT_EQ(x, b.Next());
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
    }
    a.Reset(8);
    b.Reset(7);
    EXPECT_NE(a.Next(), b.Next());
}

// The standard fixes mt19937's output, so the first numbers are known on every platform.
TEST(Random, SequenceIsFixedAcrossPlatforms) {
    StandardRandom r;
    r.Reset(5489);
    const double expected =
        static_cast<double>((3499211612ull >> 5) * 67108864ull + (581869302ull >> 6)) /
        9007199254740992.0;
    EXPECT_EQ(r.Next(), expected);
}

TEST(Random, ClockSeedingGivesDifferentSequences) {
    StandardRandom a, b;
    a.SeedFromClock();
    b.SeedFromClock();
    EXPECT_NE(a.Next(), b.Next());
}

TEST(Clock, SecondsSinceMidnightLiesWithinADay) {
    SystemClock clock;
    double t = clock.SecondsSinceMidnight();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 86401.0);
}

TEST(IntegerFile, RoundTripsWithCrLfAndReportsAFailedOpen) {
    test::TempDir dir;
    const std::string path = dir.file("numbers");
    ASSERT_TRUE(WriteIntegerLines(path, {1, -2, 30000}));
    EXPECT_EQ(*ReadWholeFile(path), "1\r\n-2\r\n30000\r\n");
    auto lines = ReadIntegerLines(path);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 3u);
    EXPECT_EQ((*lines)[1], -2);
    EXPECT_FALSE(ReadIntegerLines(dir.file("missing")));
}

TEST(IntegerFile, UnreadableLinesAreMarkedNotSkipped) {
    test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomically(dir.file("n"), "5\nabc\n\n-7\r\n"));
    auto lines = ReadIntegerLines(dir.file("n"));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 4u);
    EXPECT_EQ((*lines)[0], 5);
    EXPECT_FALSE((*lines)[1]);
    EXPECT_FALSE((*lines)[2]);
    EXPECT_EQ((*lines)[3], -7);
}

// A write cut short (here by a file-size limit, as a full disk would) leaves the old file
// as it was and no temporary file behind.
TEST(AtomicWrite, InterruptedWriteKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("kept");
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool wrote = WriteFileAtomically(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(*ReadWholeFile(path), "old");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
    EXPECT_FALSE(WriteFileAtomically(dir.file("no/such/dir/file"), "x"));
}

TEST(Files, ProgramDirectoryIsTheExecutablesDirectory) {
    auto dir = ProgramDirectory();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "kestrune_core_tests"));
}

}  // namespace
}  // namespace kestrune
