// The text catalogue: English messages with their pieces in English order, the language
// setting, and Japanese left exactly as it was.
#include "text/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "game/window_texts.h"
#include "navigation/key_bindings.h"
#include "navigation/readouts.h"
#include "navigation/records.h"
#include "settings/language_setting.h"
#include "test_support.h"

namespace kestrune {
namespace {

// Every test leaves the process in Japanese, the language the other tests read.
class CatalogueTest : public ::testing::Test {
protected:
    void TearDown() override { text::SetLanguage(text::Language::Japanese); }
};

TEST_F(CatalogueTest, EnglishMessagesPutTheirPiecesInEnglishOrder) {
    auto s = test::MakeState();
    PrepareStartup(*s);
    s->Orientation = {{{0, -1, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    s->PlayerPos = {16, 5, 4, 10};
    const DirectionReadout japanese = ExpDirection(*s);
    const std::string japanesePrompt = NewRecordPrompt(125, 3600);

    text::SetLanguage(text::Language::English);
    const DirectionReadout r = ExpDirection(*s);
    EXPECT_EQ(r.captions[0], "Facing +Y");
    EXPECT_EQ(r.captions[1], "-X");
    EXPECT_EQ(r.captions[4], "+X");
    EXPECT_EQ(r.captions[3], "Ana +W");
    EXPECT_EQ(r.captions[6], "Kata -W");
    EXPECT_EQ(PositionCaption(*s, 9000), "Position: 12,1,0,6");
    EXPECT_EQ(PositionCaption(*s, 6389), "12,1,0,6");
    EXPECT_EQ(TowerCaption(3), "Tower — floor 3");
    EXPECT_EQ(GoalCaption({16, 16, 4, 4}), "12,12,0,0");
    EXPECT_EQ(ClearTimeCaption(125.9), "Clear time: 2:05");
    EXPECT_EQ(NewRecordPrompt(125, 3600),
              "New record!\r\nPlease enter your name.\r\n\r\nYour time: 2 min 5 s (the old "
              "record: 60 min 0 s).");
    // The first and the last texts in the table's byte order are found too.
    EXPECT_EQ(text::Tr("16段階"), "16 pictures a move");
    EXPECT_EQ(text::Tr("４次元"), "4D");
    EXPECT_EQ(text::Tr("まだ無い文"), "まだ無い文");  // unknown: the source, never nothing
    EXPECT_EQ(text::Tr(""), "");

    text::SetLanguage(text::Language::Japanese);
    EXPECT_EQ(ExpDirection(*s).captions, japanese.captions);
    EXPECT_EQ(ExpDirection(*s).captions[0], "Y 軸 +方向");
    EXPECT_EQ(ExpDirection(*s).captions[3], "W 軸 +");
    EXPECT_EQ(ExpDirection(*s).captions[6], "W 軸 -");
    EXPECT_EQ(NewRecordPrompt(125, 3600), japanesePrompt);
    EXPECT_EQ(TowerCaption(3), "5duzu：3階");
}

// A newcomer presses what the English panel says: each caption is words (never an arrow,
// which a main-keyboard player takes for an arrow key) and, in brackets, the keypad key that
// really runs it ("S" with a modifier); the key settings and the tooltips name each action
// by its verb, tooltips first the action, then both keys.
TEST_F(CatalogueTest, EnglishPanelNamesEachActionAndTheKeyThatReallyRunsIt) {
    text::SetLanguage(text::Language::English);
    const std::regex caption(R"([A-Z][a-z]*(-[a-z]+)?( [A-Za-z]+)* \((S?)([0-9])\))");
    const std::regex action(R"((Step|Turn|Roll|Swing)( [a-z]+)+)");
    std::set<std::string> captions, actions;
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        const PanelActionInfo& info = kPanelActions[static_cast<std::size_t>(slot)];
        const std::string shown = text::Tr(info.caption);
        std::smatch m;
        EXPECT_TRUE(std::regex_match(shown, m, caption)) << shown;
        EXPECT_EQ(m[3].str() == "S", info.keypad.modified) << shown;
        EXPECT_EQ(m[4].str(), std::to_string(info.keypad.digit)) << shown;
        const std::string name = text::Tr(info.name);
        EXPECT_TRUE(std::regex_match(name, action)) << name;
        EXPECT_EQ(PanelKeyTooltip(slot, KeyBindings()),
                  name + ": keypad " + KeypadKeyName(slot) + " / " +
                      KeyDisplayName(KeyBindings().Key(slot)));
        captions.insert(shown);
        actions.insert(name);
    }
    EXPECT_EQ(captions.size(), kPanelActions.size());
    EXPECT_EQ(actions.size(), kPanelActions.size());
    EXPECT_EQ(PanelKeyTooltip(13, KeyBindings()), "Step back: keypad 0 / ↓");
    EXPECT_EQ(PanelKeyTooltip(3, KeyBindings()), "Turn up: keypad 8 / PgUp");
}

TEST(LanguageCodes, LocalesStartingWithJaAreJapaneseAndStoredCodesReadBack) {
    using text::Language;
    for (const char* japanese : {"ja", "ja_JP.UTF-8", "ja-JP", "JA_jp", "ja@latin"})
        EXPECT_EQ(text::LanguageForLocale(japanese), Language::Japanese) << japanese;
    for (const char* other : {"", "C", "C.UTF-8", "en_US.UTF-8", "de-DE", "jv_ID", "j"})
        EXPECT_EQ(text::LanguageForLocale(other), Language::English) << other;
    EXPECT_EQ(text::LanguageFromCode(text::LanguageCode(Language::English)), Language::English);
    EXPECT_EQ(text::LanguageFromCode(text::LanguageCode(Language::Japanese)), Language::Japanese);
    EXPECT_EQ(text::LanguageFromCode("EN"), Language::English);
    EXPECT_EQ(text::LanguageFromCode("japanese"), std::nullopt);
    EXPECT_EQ(text::LanguageFromCode(""), std::nullopt);
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The stored choice wins over the locale; without one (or with a damaged one) the locale
// decides, and choosing nothing writes nothing.
TEST(LanguageSetting, StoredChoiceWinsOverTheLocaleAndStartWritesNothing) {
    test::TempDir dir;
    SettingsFile settings;
    settings.SetSettingsPath(dir.file("kestrune.ini"));
    EXPECT_EQ(StartLanguage(settings, "ja_JP.UTF-8"), text::Language::Japanese);
    EXPECT_EQ(StartLanguage(settings, "C.UTF-8"), text::Language::English);
    EXPECT_FALSE(std::filesystem::exists(dir.file("kestrune.ini")));

    const std::string older = "[Kestrune]\r\nAnimation=3\r\nTime10=83\r\nName10=Ann\r\n";
    std::ofstream(dir.file("kestrune.ini"), std::ios::binary) << older;
    EXPECT_EQ(StartLanguage(settings, "ja_JP"), text::Language::Japanese);
    EXPECT_EQ(FileText(dir.file("kestrune.ini")), older);

    ASSERT_TRUE(StoreLanguage(settings, text::Language::English));
    EXPECT_EQ(StartLanguage(settings, "ja_JP.UTF-8"), text::Language::English);
    const std::string stored = FileText(dir.file("kestrune.ini"));
    EXPECT_NE(stored.find("Language=en"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Time10=83"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Name10=Ann"), std::string::npos) << stored;

    for (const char* damaged : {"fr", "", "english"}) {
        settings.WriteSetting(kSettingsSection, kLanguageKey, damaged);
        EXPECT_EQ(StartLanguage(settings, "ja_JP.UTF-8"), text::Language::Japanese) << damaged;
        EXPECT_EQ(StartLanguage(settings, "en_GB.UTF-8"), text::Language::English) << damaged;
    }
}

}  // namespace
}  // namespace kestrune
