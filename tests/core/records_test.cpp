// Clear times, record checks, the name prompt and the ranking cells.
#include <gtest/gtest.h>

#include "game/files.h"
#include "navigation/records.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace kestrune {
namespace {

class RecordsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsFile settings;
    const RecordSlot slot{2, RecordLevel(5)};  // 3D 上級
    void SetUp() override { settings.LocateSettingsFile(dir.path()); }
    std::string stored(const std::string& key) {
        return settings.ReadSetting(kSettingsSection, key, "<none>");
    }
};

TEST(RecordKeys, DimensionAndLevelDigits) {
    EXPECT_EQ(RecordKey("Time", 1, RecordLevel(1)), "Time10");
    EXPECT_EQ(RecordKey("Name", 3, RecordLevel(7)), "Name33");
    EXPECT_EQ(RecordLevel(3), 1);
    EXPECT_EQ(RecordLevel(5), 2);
}

TEST(Clock, TimeTextDuringARun) {
    EXPECT_EQ(ClockText(0.2), "0:00");
    EXPECT_EQ(ClockText(59.99), "0:59");
    EXPECT_EQ(ClockText(60.0), "1:00");
    EXPECT_EQ(ClockText(600.5), "10:00");
    EXPECT_EQ(ClearTimeCaption(127.3), "Clear Time :   2:07");
}

// A run over midnight counts the wrapped day instead of going negative.
TEST(Clock, ElapsedTimeAcrossMidnightStaysPositive) {
    EXPECT_DOUBLE_EQ(ElapsedSeconds(100.0, 160.5), 60.5);
    EXPECT_DOUBLE_EQ(ElapsedSeconds(86390.0, 20.0), 30.0);
}

TEST(NamePrompt, MatchesTheGameTextByteForByte) {
    EXPECT_EQ(
        NewRecordPrompt(125, 3600),
        "新記録達成！！\r\nお名前をどうぞ。\r\n\r\n新記録は  2分  5秒、旧記録は 60分 0秒でした。");
    EXPECT_EQ(
        NewRecordPrompt(127, 130.5),
        "新記録達成！！\r\nお名前をどうぞ。\r\n\r\n新記録は  2分  7秒、旧記録は 2分 10秒でした。");
}

TEST_F(RecordsTest, DefaultRecordIsBeatenAndStoredInWholeSeconds) {
    auto check = CheckClearRecord(settings, slot, 59.7);
    EXPECT_TRUE(check.isRecord);
    EXPECT_EQ(check.seconds, 59);
    EXPECT_EQ(stored("Time22"), "59");
    EXPECT_NE(check.prompt.find("新記録は  0分  59秒、旧記録は 60分 0秒"), std::string::npos);
    EXPECT_TRUE(StoreRecordName(settings, check, "花子"));
    EXPECT_EQ(stored("Name22"), "花子");
}

TEST_F(RecordsTest, EqualOrSlowerTimesAreNoRecord) {
    settings.WriteSetting(kSettingsSection, "Time22", "60");
    EXPECT_FALSE(CheckClearRecord(settings, slot, 60.0).isRecord);
    EXPECT_FALSE(CheckClearRecord(settings, slot, 60.2).isRecord);
    EXPECT_EQ(stored("Time22"), "60");
    EXPECT_TRUE(CheckClearRecord(settings, slot, 59.99).isRecord);
    EXPECT_EQ(stored("Time22"), "59");
}

TEST_F(RecordsTest, AnHourOrMoreNeverBeatsTheDefault) {
    EXPECT_FALSE(CheckClearRecord(settings, slot, 3600.0).isRecord);
    EXPECT_FALSE(CheckClearRecord(settings, slot, 4000.0).isRecord);
    EXPECT_EQ(stored("Time22"), "3600");  // the read stored its default
}

// A hand-edited giant record is beaten and quoted without overflowing.
TEST_F(RecordsTest, AHugeStoredTimeIsBeatenSafely) {
    settings.WriteSetting(kSettingsSection, "Time22", std::string(400, '9'));
    const auto check = CheckClearRecord(settings, slot, 10.0);
    EXPECT_TRUE(check.isRecord);
    EXPECT_NE(check.prompt.find("新記録は  0分  10秒"), std::string::npos);
    settings.WriteSetting(kSettingsSection, "Time22", "99999999999999999999");
    EXPECT_TRUE(CheckClearRecord(settings, slot, 5.0).isRecord);
}

TEST_F(RecordsTest, NonNumericStoredTimeCountsAsZero) {
    settings.WriteSetting(kSettingsSection, "Time22", "fast");
    EXPECT_FALSE(CheckClearRecord(settings, slot, 1.0).isRecord);
}

// A cancelled name replaces the old holder's with an empty one, which the ranking shows as
// "Pelkin".
TEST_F(RecordsTest, CancelledNameStoresEmptyAndRankingShowsPelkin) {
    settings.WriteSetting(kSettingsSection, "Name22", "花子");
    const auto check = CheckClearRecord(settings, slot, 125.9);
    ASSERT_TRUE(check.isRecord);
    EXPECT_TRUE(StoreRecordName(settings, check, ""));
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Name22", ""), "");
    auto cells = LoadRanking(settings);
    EXPECT_EQ(cells[4 * 1 + 2].time, "2:05");
    EXPECT_EQ(cells[4 * 1 + 2].name, "Pelkin");
}

// A record whose time could not be stored is kept for the run, and its name (here a cancelled
// one, shown as Pelkin) stays out of the file even when there is room for it again: the old
// time never gets a new holder.
TEST_F(RecordsTest, ANameWhoseTimeWasNotStoredStaysOutOfTheFile) {
    settings.WriteSetting(kSettingsSection, "Time22", "100");
    settings.WriteSetting(kSettingsSection, "Name22", "Ann");
    const auto before = ReadWholeFile(settings.SettingsPath());
    ClearCheck check;
    {
        test::FullDisk full;
        check = CheckClearRecord(settings, slot, 50.5);
    }
    EXPECT_TRUE(check.isRecord);
    EXPECT_FALSE(check.timeStored);
    EXPECT_FALSE(StoreRecordName(settings, check, ""));
    EXPECT_EQ(ReadWholeFile(settings.SettingsPath()), before);
    const auto cells = LoadRanking(settings);
    EXPECT_EQ(cells[4 * 1 + 2].name, "Pelkin");
    EXPECT_EQ(cells[4 * 1 + 2].time, "0:50");
    const std::string after = ReadWholeFile(settings.SettingsPath()).value_or("");
    EXPECT_NE(after.find("Time22=100\nName22=Ann\n"), std::string::npos) << after;
}

TEST_F(RecordsTest, RankingWithoutAFileShowsDefaultsAndStoresAll24Keys) {
    auto cells = LoadRanking(settings);
    for (const auto& c : cells) {
        EXPECT_EQ(c.name, "Pelkin");
        EXPECT_EQ(c.time, "60:00");
    }
    std::string expected = "[Kestrune]\n";
    for (int d = 1; d <= 3; ++d)
        for (int l = 0; l <= 3; ++l)
            expected += "Time" + std::to_string(d) + std::to_string(l) + "=3600\nName" +
                        std::to_string(d) + std::to_string(l) + "=Pelkin\n";
    EXPECT_EQ(ReadWholeFile(settings.SettingsPath()).value_or(""), expected);
}

TEST_F(RecordsTest, RankingCellsComeFromAPreparedFile) {
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(),
                                    "[Kestrune]\nTime10=59\nName10=Ann\nTime23=7199\nTime33=40000\n"
                                    "Name31=ボブ\nTime31=0\n"));
    auto cells = LoadRanking(settings);
    EXPECT_EQ(cells[0].time, "0:59");
    EXPECT_EQ(cells[0].name, "Ann");
    EXPECT_EQ(cells[4 + 3].time, "119:59");
    EXPECT_EQ(cells[8 + 3].time, "666:40");  // beyond 16 bits, shown as stored
    EXPECT_EQ(cells[8 + 1].time, "0:00");
    EXPECT_EQ(cells[8 + 1].name, "ボブ");
    EXPECT_EQ(RankingTimeText("60"), "1:00");
    EXPECT_EQ(RankingTimeText("abc"), "0:00");
}

}  // namespace
}  // namespace kestrune
