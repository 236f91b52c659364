// The settings file behaves like a private-profile INI file, with atomic writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>

#include "game/files.h"
#include "settings/cp932.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace kestrune {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsFile settings;
    void SetUp() override { settings.LocateSettingsFile(dir.path()); }
    std::string contents() { return ReadWholeFile(settings.SettingsPath()).value_or("<none>"); }
};

TEST_F(SettingsFileTest, PathIsTheProgramDirectoryWithOneSeparator) {
    EXPECT_EQ(settings.SettingsPath(), dir.path() + "/kestrune.ini");
    settings.LocateSettingsFile(dir.path() + "/");
    EXPECT_EQ(settings.SettingsPath(), dir.path() + "/kestrune.ini");
}

// Records beside a program in a directory that cannot be written move to the per-user file,
// so later writes (which need the directory for their temporary file) do not fail. They move
// at the first write: until then no file or directory is made, so a game closed on its title
// window leaves everything as it was.
TEST_F(SettingsFileTest, RecordsBesideAnUnwritableProgramAreCarriedOverAtTheFirstWrite) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes every directory";
    namespace fs = std::filesystem;
    const std::string beside = dir.path() + "/opt/kestrune.ini";
    fs::create_directories(dir.path() + "/opt");
    ASSERT_TRUE(WriteFileAtomically(beside, "[Kestrune]\nTime10=42\n"));
    fs::permissions(dir.path() + "/opt", fs::perms::owner_read | fs::perms::owner_exec);
    settings.LocateSettingsFile(dir.path() + "/opt", dir.path() + "/config", "");
    EXPECT_EQ(settings.SettingsPath(), dir.path() + "/config/kestrune.ini");
    EXPECT_FALSE(fs::exists(dir.path() + "/config"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time10", "3600"), "42");
    EXPECT_FALSE(fs::exists(dir.path() + "/config"));
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Name10", "Ann"));
    EXPECT_EQ(contents(), "[Kestrune]\nTime10=42\nName10=Ann\n");
    EXPECT_EQ(ReadWholeFile(beside).value_or(""), "[Kestrune]\nTime10=42\n");
    fs::permissions(dir.path() + "/opt", fs::perms::owner_all);
}

// A directory the game cannot write (here one that does not exist) sends the file to the
// per-user configuration directory, unless the file already lies beside the program.
TEST_F(SettingsFileTest, UnwritableProgramDirectoryFallsBackToUserConfig) {
    settings.LocateSettingsFile(dir.path() + "/missing", dir.path() + "/config");
    EXPECT_EQ(settings.SettingsPath(), dir.path() + "/config/kestrune.ini");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Animation", "3"), "3");
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "/config/kestrune.ini"));

    setenv("XDG_CONFIG_HOME", (dir.path() + "/xdg").c_str(), 1);
    EXPECT_EQ(UserConfigDirectory(), dir.path() + "/xdg/kestrune");
    unsetenv("XDG_CONFIG_HOME");
}

// An installed game keeps records per user even when it runs as root, unless a file already
// lies beside the program.
TEST_F(SettingsFileTest, InstalledProgramDirectoryIsNotUsedForNewFiles) {
    std::filesystem::create_directories(dir.path() + "/bin");
    settings.LocateSettingsFile(dir.path() + "/bin", dir.path() + "/config", dir.path() + "/bin");
    EXPECT_EQ(settings.SettingsPath(), dir.path() + "/config/kestrune.ini");
    ASSERT_TRUE(WriteFileAtomically(dir.path() + "/bin/kestrune.ini", "[Kestrune]\n"));
    settings.LocateSettingsFile(dir.path() + "/bin", dir.path() + "/config", dir.path() + "/bin");
    EXPECT_EQ(settings.SettingsPath(), dir.path() + "/bin/kestrune.ini");
}

TEST_F(SettingsFileTest, MissingKeyReturnsAndStoresTheDefault) {
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time10", "3600"), "3600");
    EXPECT_EQ(contents(), "[Kestrune]\nTime10=3600\n");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Pelkin");
    EXPECT_EQ(contents(), "[Kestrune]\nTime10=3600\nName10=Pelkin\n");
}

TEST_F(SettingsFileTest, EmptyValueReturnsAndStoresTheDefault) {
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), "[Kestrune]\nName10=\n"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Pelkin");
    EXPECT_EQ(contents(), "[Kestrune]\nName10=Pelkin\n");
}

TEST_F(SettingsFileTest, PresentValueIsReadWithoutRewritingTheFile) {
    const std::string text = "; best times\n[kestrune]\nTIME10 = 59\n";
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), text));
    const auto before = std::filesystem::last_write_time(settings.SettingsPath());
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time10", "3600"), "59");
    EXPECT_EQ(contents(), text);
    EXPECT_EQ(std::filesystem::last_write_time(settings.SettingsPath()), before);
}

TEST_F(SettingsFileTest, WriteReplacesInPlaceAndKeepsEverythingElse) {
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(),
                                    "; kept comment\n[Other]\nx=1\n\n[KESTRUNE]\nanimation=2\n"
                                    "Time10=59\n"));
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Animation", "-1"));
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Name33", "新人"));
    const std::string text = contents();
    EXPECT_NE(text.find("; kept comment"), std::string::npos);
    EXPECT_NE(text.find("[Other]\nx=1"), std::string::npos);
    EXPECT_NE(text.find("animation=-1\nTime10=59\nName33=新人"), std::string::npos) << text;
    EXPECT_EQ(settings.ReadSetting("kestrune", "ANIMATION", "3"), "-1");
}

// Comments at the end and stray lines without "=" survive a write.
TEST_F(SettingsFileTest, TrailingCommentsAndStrayLinesAreKept) {
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(),
                                    "[Kestrune]\nTime10=59\njunk line\nName10=Ann\n; the end\n"));
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Animation", "2"));
    const std::string text = contents();
    EXPECT_NE(text.find("junk line"), std::string::npos) << text;
    EXPECT_NE(text.find("; the end"), std::string::npos) << text;
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "?"), "Ann");
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Animation", "3"));
    EXPECT_EQ(contents().size(), text.size());  // nothing is repeated
}

// A pasted name with line breaks stays one value and cannot forge another record.
TEST_F(SettingsFileTest, LineBreaksInAValueCannotAddEntries) {
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Name10", "Bob\r\nTime11=1"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time11", "3600"), "3600");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "?"), "Bob  Time11=1");
}

TEST_F(SettingsFileTest, WriteCreatesFileAndSection) {
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Time21", "125"));
    EXPECT_EQ(contents(), "[Kestrune]\nTime21=125\n");
}

TEST_F(SettingsFileTest, JapaneseNamesRoundTrip) {
    const std::string name = "山田　太郎😀";
    ASSERT_TRUE(settings.WriteSetting("Kestrune", "Name20", name));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name20", "Pelkin"), name);
}

TEST_F(SettingsFileTest, LongValuesAreCutTo254Characters) {
    ASSERT_TRUE(settings.WriteSetting("Kestrune", "Name10", std::string(300, 'a')));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), std::string(254, 'a'));
    std::string kana;
    for (int i = 0; i < 260; ++i) kana += "あ";
    ASSERT_TRUE(settings.WriteSetting("Kestrune", "Name11", kana));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name11", "Pelkin"), kana.substr(0, 254 * 3));
}

TEST_F(SettingsFileTest, ExplicitFileArgumentOverridesSettingsPath) {
    const std::string other = dir.file("other.ini");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Animation", "3", other), "3");
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_FALSE(std::filesystem::exists(settings.SettingsPath()));
}

// A file saved with a UTF-8 byte-order mark (as Windows editors do) keeps every record and
// the mark, and nothing in it is commented out.
TEST_F(SettingsFileTest, AByteOrderMarkKeepsEveryRecordAndTheMark) {
    const std::string bom = "\xEF\xBB\xBF";
    ASSERT_TRUE(
        WriteFileAtomically(settings.SettingsPath(), bom + "[Kestrune]\nTime10=59\nName10=Ann\n"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time10", "3600"), "59");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Ann");
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Animation", "2"));
    EXPECT_EQ(contents(), bom + "[Kestrune]\nTime10=59\nName10=Ann\nAnimation=2\n");
}

// A file from Japanese Windows: CR LF lines and a name in code page 932. The name is shown
// as it was typed; a write of another key keeps its bytes and the line breaks.
TEST_F(SettingsFileTest, AShiftJisNameFromWindowsIsShownAndKept) {
    // "表ﾀﾛｳ山田": a trail byte 0x5C (a backslash in ASCII), half-width kana and two kanji.
    const std::string name = "\x95\x5C\xC0\xDB\xB3\x8E\x52\x93\x63";
    const std::string head = "[Kestrune]\r\nTime10=59\r\nName10=";
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), head + name + "\r\n; Windows\r\n"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "表ﾀﾛｳ山田");
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Time11", "75"));
    EXPECT_EQ(contents(), head + name + "\r\nTime11=75\r\n; Windows\r\n");
    // A new record replaces the name, in the game's own encoding.
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Name10", "花子"));
    EXPECT_EQ(contents(), head + "花子\r\nTime11=75\r\n; Windows\r\n");
}

// Short Shift-JIS can be valid UTF-8 too: half-width "ﾄｷ" is C4 B7, also "ķ". Among other
// Shift-JIS names it is read as Shift-JIS; a UTF-8 name the game wrote there stays UTF-8.
TEST_F(SettingsFileTest, AHalfWidthKanaNameAmongShiftJisNamesReadsAsShiftJis) {
    const std::string windows = "[Kestrune]\r\nName10=\xC4\xB7\r\nName11=\x8E\x52\x93\x63\r\n";
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), windows + "Name12=山田\r\n"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "ﾄｷ");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name11", "Pelkin"), "山田");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name12", "Pelkin"), "山田");
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Time10", "75"));
    EXPECT_EQ(contents(), windows + "Name12=山田\r\nTime10=75\r\n");
    EXPECT_EQ(SettingsFile::SettingsTextInUtf8(windows),
              "[Kestrune]\r\nName10=ﾄｷ\r\nName11=山田\r\n");
    // In a file of UTF-8 names the same bytes are the letter they spell.
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), "[Kestrune]\nName10=\xC4\xB7\n"));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "ķ");
}

// A key added to a file whose last line has no line break starts a line of its own.
TEST_F(SettingsFileTest, AKeyAddedAfterALastLineWithoutBreakStartsANewLine) {
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), "[Kestrune]\r\nTime10=100"));
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Name10", "Ann"));
    EXPECT_EQ(contents(), "[Kestrune]\r\nTime10=100\r\nName10=Ann\r\n");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time10", "3600"), "100");
}

// Code page 932 at the edges of its lead ranges (81, 9F, E0, FC) and of its trail ranges
// (40, 7E, 80, FC): an index off by one there turns 中 into 仲 with every name in ASCII fine.
TEST(Cp932, EdgesOfTheLeadAndTrailRanges) {
    const std::pair<const char*, const char*> cases[] = {{"\x81\x40", "\u3000"},
                                                         {"\x81\x7E", "×"},
                                                         {"\x81\x80", "÷"},
                                                         {"\x81\xFC", "◯"},
                                                         {"\x88\x9F", "亜"},
                                                         {"\x92\x86", "中"},
                                                         {"\x9F\x40", "檗"},
                                                         {"\x9F\xFC", "滌"},
                                                         {"\xE0\x40", "漾"},
                                                         {"\xE0\x9E", "燼"},
                                                         {"\xFC\x4B", "黑"},
                                                         {"\xA1\xDF", "｡ﾟ"},
                                                         {"\x97\xE9\x96\xD8", "鈴木"},
                                                         {"\x81", "\uFFFD"},
                                                         {"\x81\x3F", "\uFFFD?"}};
    for (const auto& [bytes, text] : cases) EXPECT_EQ(Cp932ToUtf8(bytes), text) << bytes;
}

// Garbage in the file never loses what can still be read.
TEST_F(SettingsFileTest, BinaryGarbageAroundRecordsKeepsThem) {
    std::string text = "[Kestrune]\nTime10=42\n";
    text += std::string("\x00\xff\xfe=\nno equals sign here\n", 25);
    text += "Name10=Ann\n";
    ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), text));
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Time10", "3600"), "42");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Ann");
}

// The browser keeps the settings as one text in its storage, edited as the file is. A store
// that refuses a write (full, or not allowed) keeps its text; the value stays for this run
// until the whole text is replaced (records imported from a file).
class MemoryStore final : public ITextStore {
public:
    std::map<std::string, std::string> texts;
    bool refuse = false;
    bool Exists(const std::string& name) override { return texts.count(name) != 0; }
    std::optional<std::string> Read(const std::string& name) override {
        const auto it = texts.find(name);
        if (it == texts.end()) return std::nullopt;
        return it->second;
    }
    bool Write(const std::string& name, const std::string& text) override {
        if (refuse) return false;
        texts[name] = text;
        return true;
    }
    bool Remove(const std::string& name) override { return texts.erase(name), true; }
};

TEST(SettingsInAStore, EditedInPlaceAndARefusedWriteKeepsTheStoredText) {
    MemoryStore store;
    SettingsFile settings(store);
    settings.SetSettingsPath(kSettingsFileName);
    const std::string desktop = "\xEF\xBB\xBF[Kestrune]\r\nTime10=59\r\nName10=Ann\r\n";
    store.texts[kSettingsFileName] = desktop;
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Ann");
    EXPECT_TRUE(settings.WriteSetting("Kestrune", "Time10", "41"));
    EXPECT_EQ(store.texts[kSettingsFileName],
              "\xEF\xBB\xBF[Kestrune]\r\nTime10=41\r\nName10=Ann\r\n");

    store.refuse = true;
    const std::string before = store.texts[kSettingsFileName];
    EXPECT_FALSE(settings.WriteSetting("Kestrune", "Name10", "Bo"));
    EXPECT_EQ(store.texts[kSettingsFileName], before);
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Bo");

    store.refuse = false;
    store.texts[kSettingsFileName] = desktop;
    settings.DiscardUnsaved();
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "Ann");
    EXPECT_EQ(store.texts[kSettingsFileName], desktop);
}

// The browser's storage holds Unicode text only: a file from Japanese Windows that the desktop
// game has since added UTF-8 names to comes in with every name readable, the rest unchanged.
TEST(SettingsInAStore, AMixedWindowsFileBecomesUtf8LineByLine) {
    const std::string windows =
        "\xEF\xBB\xBF[Kestrune]\r\nName10=\x95\x5C\xC0\xDB\xB3\x8E\x52\x93\x63\r\n"
        "Name11=花子\r\nTime11=75";
    const std::string text =
        SettingsFile::SettingsTextInUtf8(windows + std::string("\0Name12=Bo\n", 11));
    EXPECT_EQ(
        text,
        "\xEF\xBB\xBF[Kestrune]\r\nName10=表ﾀﾛｳ山田\r\nName11=花子\r\nTime11=75\nName12=Bo\n");
    MemoryStore store;
    store.texts[kSettingsFileName] = text;
    SettingsFile settings(store);
    settings.SetSettingsPath(kSettingsFileName);
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name10", "Pelkin"), "表ﾀﾛｳ山田");
    EXPECT_EQ(settings.ReadSetting("Kestrune", "Name12", "Pelkin"), "Bo");
    EXPECT_EQ(SettingsFile::SettingsTextInUtf8(text), text);
}

// A records file brought in by the player is this game's when the settings reader finds an
// entry in its section; anything else is refused before it replaces the records.
TEST(SettingsInAStore, OnlyATextWithKestruneEntriesIsASettingsText) {
    EXPECT_TRUE(SettingsFile::IsSettingsText("\xEF\xBB\xBF[Kestrune]\r\nTime10=59\r\n"));
    EXPECT_TRUE(SettingsFile::IsSettingsText("; mine\n[keys]\nAhead=W\n[ kestrune ]\nA=\n"));
    EXPECT_FALSE(SettingsFile::IsSettingsText(""));
    EXPECT_FALSE(SettingsFile::IsSettingsText("[Keys]\nAhead=W\n"));
    EXPECT_FALSE(SettingsFile::IsSettingsText("[Kestrune]\n; Time10=59\nno entry\n"));
    EXPECT_FALSE(SettingsFile::IsSettingsText("Time10=59\n[Kestrune]\n"));
    EXPECT_FALSE(SettingsFile::IsSettingsText(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
}

}  // namespace
}  // namespace kestrune
