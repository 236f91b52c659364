// Damaged, empty, binary, huge and read-only settings and tower files: the game never crashes
// on them and never loses a record that can still be read.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "game/files.h"
#include "game/tower_file.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace kestrune {
namespace {

namespace fs = std::filesystem;

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(gen() & 0xFF);
    return bytes;
}

std::string GameKey(int n) {  // the 24 record keys, Time10 .. Name33
    const char* kind = n % 2 ? "Name" : "Time";
    return kind + std::to_string(n / 8 + 1) + std::to_string(n / 2 % 4);
}

fs::perms Mode(const std::string& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

class BadSettingsFile : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsFile settings;
    void SetUp() override { settings.LocateSettingsFile(dir.path()); }
    const std::string& path() const { return settings.SettingsPath(); }
    void write(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(path(), bytes)); }
    std::string read(const std::string& key, const std::string& fallback = "none") {
        return settings.ReadSetting(kSettingsSection, key, fallback);
    }
    // What the ranking window does on opening: touch all 24 record keys.
    void touchEveryRecord() {
        for (int n = 0; n < 24; ++n) read(GameKey(n), n % 2 ? "Pelkin" : "3600");
    }
};

TEST_F(BadSettingsFile, EmptyFileReadsDefaultsAndStoresThem) {
    write("");
    EXPECT_EQ(read("Animation", "3"), "3");
    EXPECT_EQ(read("Time33", "3600"), "3600");
    EXPECT_EQ(*ReadWholeFile(path()), "[Kestrune]\nAnimation=3\nTime33=3600\n");
}

TEST_F(BadSettingsFile, BinaryFileKeepsTheRecordsItHolds) {
    std::string text = "[Kestrune]\nTime10=42\n" + RandomBytes(64 * 1024, 1);
    text += "\n[Kestrune]\nName10=Ann\n" + RandomBytes(4096, 2) + "\n[Kestrune]\nTime22=77\n";
    write(text);
    touchEveryRecord();
    EXPECT_TRUE(settings.WriteSetting(kSettingsSection, "Animation", "-1"));
    EXPECT_EQ(read("Time10"), "42");
    EXPECT_EQ(read("Name10"), "Ann");
    EXPECT_EQ(read("Time22"), "77");
    EXPECT_EQ(read("Animation"), "-1");
    // Writing again and again settles: the file neither grows nor changes.
    const std::string settled = *ReadWholeFile(path());
    touchEveryRecord();
    EXPECT_TRUE(settings.WriteSetting(kSettingsSection, "Animation", "-1"));
    EXPECT_TRUE(*ReadWholeFile(path()) == settled) << "the file changed on rewriting";
}

TEST_F(BadSettingsFile, HugeFileKeepsItsRecords) {
    std::string brokenLines;  // a pathological filler: every line an unclosed section
    while (brokenLines.size() < 10 * 1024 * 1024) brokenLines += "[Kestrune\n";
    for (const std::string& filler : {RandomBytes(10 * 1024 * 1024, 3), brokenLines}) {
        const std::string text =
            "[Kestrune]\nTime10=42\n[Filler]\n" + filler + "\n[Kestrune]\nName10=Ann\n";
        write(text);
        EXPECT_EQ(read("Time10"), "42");
        EXPECT_EQ(read("Name10"), "Ann");
        EXPECT_TRUE(settings.WriteSetting(kSettingsSection, "Time11", "99"));
        EXPECT_EQ(read("Time11"), "99");
        EXPECT_EQ(read("Time10"), "42");
        EXPECT_EQ(read("Name10"), "Ann");
        EXPECT_LE(fs::file_size(path()), text.size() + filler.size() / 8 + 64);
        std::remove(path().c_str());
    }
}

// A section line with no closing bracket (a slip while editing) used to be written back
// once more at every save, so the file grew with each record until the game stalled.
TEST_F(BadSettingsFile, UnclosedSectionLineNeitherGrowsTheFileNorHidesRecords) {
    write("[Kestrune]\nTime10=42\n\n; hand-edited\n[Kestrune\nName10=Ann\n");
    ASSERT_TRUE(settings.WriteSetting(kSettingsSection, "Animation", "0"));
    const auto size = fs::file_size(path());
    for (int i = 1; i < 30; ++i) {
        ASSERT_TRUE(settings.WriteSetting(kSettingsSection, "Animation", std::to_string(i % 7)));
        ASSERT_EQ(fs::file_size(path()), size) << "after " << i << " writes";
    }
    touchEveryRecord();
    EXPECT_EQ(read("Time10"), "42");
    EXPECT_EQ(read("Name10"), "Ann");
    EXPECT_NE(ReadWholeFile(path())->find("[Kestrune\n"), std::string::npos);  // text kept
}

// A read-only file or directory may refuse a write (an ordinary user) or not (root). Either
// way the records stay readable, and a refused write leaves the file exactly as it was.
TEST_F(BadSettingsFile, ReadOnlyFileOrDirectoryNeverLosesRecords) {
    const std::string text = "[Kestrune]\nTime10=42\nName10=Ann\n";
    for (const bool lockDirectory : {false, true}) {
        SCOPED_TRACE(lockDirectory ? "read-only directory" : "read-only file");
        write(text);
        fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read);
        if (lockDirectory)
            fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);

        EXPECT_EQ(read("Time10"), "42");
        const bool stored = settings.WriteSetting(kSettingsSection, "Time11", "99");
        if (stored) {
            EXPECT_EQ(read("Time11"), "99");
            EXPECT_EQ(Mode(path()), fs::perms::owner_read | fs::perms::group_read);
        } else {
            EXPECT_EQ(*ReadWholeFile(path()), text);
        }
        EXPECT_EQ(read("Time10"), "42");
        EXPECT_EQ(read("Name10"), "Ann");
        int entries = 0;  // no temporary file left behind
        for ([[maybe_unused]] auto& e : fs::directory_iterator(dir.path())) ++entries;
        EXPECT_EQ(entries, 1);

        fs::permissions(dir.path(), fs::perms::owner_all);
        fs::permissions(path(), fs::perms::owner_read | fs::perms::owner_write);
    }
}

// A file that exists but cannot be read is never replaced: a write would wipe every record
// in it. What could not be written is kept for the run instead.
TEST_F(BadSettingsFile, UnreadableFileIsNeverReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const std::string text = "[Kestrune]\nTime10=42\nName10=Ann\n";
    write(text);
    fs::permissions(path(), fs::perms::owner_write);
    EXPECT_EQ(read("Time10", "3600"), "3600");
    EXPECT_FALSE(settings.WriteSetting(kSettingsSection, "Time10", "41"));
    EXPECT_EQ(read("Time10"), "41");
    fs::permissions(path(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(*ReadWholeFile(path()), text);
}

TEST_F(BadSettingsFile, DirectoryInPlaceOfTheFileReadsDefaultsAndRefusesWrites) {
    fs::create_directory(path());
    EXPECT_EQ(read("Time10", "3600"), "3600");
    EXPECT_FALSE(settings.WriteSetting(kSettingsSection, "Time10", "5"));
    EXPECT_TRUE(fs::is_directory(path()));
}

class BadTowerFile : public ::testing::Test {
protected:
    test::TempDir dir;
    std::unique_ptr<GameState> state = test::MakeState();
    std::string path() const { return dir.file(kTowerFileName); }
    void write(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(path(), bytes)); }
    void expectUsable() {
        EXPECT_GE(state->TowerFloor, 1);
        EXPECT_TRUE(IsValidStartPose(state->StartPose));
    }
};

const std::string kFloor9 =
    "9\r\n6\r\n8\r\n10\r\n12\r\n0\r\n1\r\n0\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n"
    "0\r\n0\r\n1\r\n";

TEST_F(BadTowerFile, HugeFileIsReadFromItsFirstLines) {
    write(kFloor9 + std::string(10 * 1024 * 1024, '\n'));
    EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::Resumed);
    EXPECT_EQ(state->TowerFloor, 9);
    EXPECT_EQ(state->StartPose[0], (std::array<int16_t, 4>{6, 8, 10, 12}));
    EXPECT_EQ(state->StartPose[2][0], -1);

    write(std::string(10 * 1024 * 1024, '7'));  // one endless number
    EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::FloorDamaged);
    expectUsable();
}

// The most negative 64-bit number must count as damage, not wrap into a plausible 0.
TEST_F(BadTowerFile, ExtremeIntegersAreDamage) {
    for (const char* extreme : {"-9223372036854775808", "9223372036854775807", "-32769"}) {
        std::string text = kFloor9;
        text.replace(text.find("\r\n0\r\n1\r\n0\r\n0\r\n-1") + 2, 1, extreme);
        write(text);
        EXPECT_EQ(ReadTowerFile(path(), *state), TowerLoad::PoseReset) << extreme;
        EXPECT_EQ(state->TowerFloor, 9);
        expectUsable();
    }
}

TEST_F(BadTowerFile, ReadOnlyFileIsReadAndEitherReplacedOrLeftWhole) {
    write(kFloor9);
    fs::permissions(path(), fs::perms::owner_read);
    ASSERT_EQ(ReadTowerFile(path(), *state), TowerLoad::Resumed);
    state->TowerFloor = 10;
    if (WriteTowerFile(path(), *state)) {
        auto copy = test::MakeState();
        EXPECT_EQ(ReadTowerFile(path(), *copy), TowerLoad::Resumed);
        EXPECT_EQ(copy->TowerFloor, 10);
    } else {
        EXPECT_EQ(*ReadWholeFile(path()), kFloor9);
    }
}

TEST_F(BadTowerFile, DirectoryInPlaceOfTheFileStartsANewTowerAndRefusesWrites) {
    fs::create_directory(path());
    EXPECT_NE(ReadTowerFile(path(), *state), TowerLoad::Resumed);
    EXPECT_EQ(state->TowerFloor, 1);
    expectUsable();
    EXPECT_FALSE(WriteTowerFile(path(), *state));
    EXPECT_TRUE(fs::is_directory(path()));
}

}  // namespace
}  // namespace kestrune
