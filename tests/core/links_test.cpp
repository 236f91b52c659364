// Links the game hands to the desktop: mail links, the help page and the version text.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/links.h"
#include "game/version.h"
#include "test_support.h"
#include "text/catalogue.h"

using namespace kestrune;

TEST(Links, MailLinkJoinsAddressAndSubjectAsWritten) {
    EXPECT_EQ(MailLink("KestruneVersion 2.0.53"), "mailto:?subject=KestruneVersion 2.0.53");
    EXPECT_EQ(MailLink("a&b=c%"), "mailto:?subject=a&b=c%");
}

TEST(Links, FileUrlEncodesBlanksAndNonAsciiBytes) {
    EXPECT_EQ(FileUrl("/usr/share/kestrune/kestrune.html"),
              "file:///usr/share/kestrune/kestrune.html");
    EXPECT_EQ(FileUrl("/home/a b/ヘ#%.html"), "file:///home/a%20b/%E3%83%98%23%25.html");
}

TEST(Links, VersionTextComesFromTheBuildsNumbers) {
    EXPECT_EQ(CurrentVersion(), (ProgramVersion{2, 0, 53}));
    EXPECT_EQ(VersionText({2, 0, 53}), "Version 2.0.53");
    EXPECT_EQ(VersionText({10, 4, 0}), "Version 10.4.0");
}

// Runs a test body with the current directory moved to a fresh directory.
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override {
        m_old = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.path());
    }
    void TearDown() override { std::filesystem::current_path(m_old); }
    test::TempDir m_dir;
    std::filesystem::path m_old;
};

TEST_F(InTempDir, HelpPageInTheCurrentDirectoryComesFirst) {
    std::ofstream(m_dir.file("kestrune.html")) << "<html></html>";
    test::RecordingLinkOpener links;
    ASSERT_TRUE(OpenHelp(links));
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], FileUrl(m_dir.file("kestrune.html")));
}

// In English the page opens at its English section, which the shipped page has.
TEST_F(InTempDir, InEnglishTheHelpPageOpensAtItsEnglishSection) {
    std::ofstream(m_dir.file("kestrune.html")) << "<html></html>";
    text::SetLanguage(text::Language::English);
    test::RecordingLinkOpener links;
    const bool opened = OpenHelp(links);
    text::SetLanguage(text::Language::Japanese);
    ASSERT_TRUE(opened);
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], FileUrl(m_dir.file("kestrune.html")) + "#en");
    std::ifstream page(test::SourceDir() + "/assets/kestrune.html");
    std::stringstream text;
    text << page.rdbuf();
    EXPECT_NE(text.str().find("<section id=\"en\""), std::string::npos);
}

TEST_F(InTempDir, HelpPageFoundElsewhereIsOpenedByItsAbsolutePath) {
    // Not in the current directory: the copy beside the program or the installed one.
    const std::string url = HelpPageUrl();
    if (url.empty()) GTEST_SKIP() << "no kestrune.html beside the tests or installed";
    EXPECT_EQ(url.rfind("file:///", 0), 0u) << url;
    EXPECT_EQ(url.find(m_dir.path()), std::string::npos) << url;
}

TEST(HelpPage, ShippedPageIsSelfContainedInJapaneseAndEnglish) {
    std::ifstream in(test::SourceDir() + "/assets/kestrune.html");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* external : {"http:", "https:", "<link", "url(", "@import", "<script"})
        EXPECT_EQ(page.find(external), std::string::npos) << external;
    // Its pictures ship beside it, in both languages' sections.
    int pictures = 0;
    for (auto at = page.find("src="); at != std::string::npos; at = page.find("src=", at + 1)) {
        const auto end = page.find('"', at + 5);
        const std::string name = page.substr(at + 5, end - at - 5);
        EXPECT_EQ(name.rfind("help-", 0), 0u) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(test::SourceDir() + "/assets/" + name))
            << name;
        ++pictures;
    }
    EXPECT_GE(pictures, 8);
    EXPECT_NE(page.find("lang=\"ja\""), std::string::npos);
    EXPECT_NE(page.find("lang=\"en\""), std::string::npos);
    // The facts a newcomer trips over.
    for (const char* fact :
         {"後退はテンキーの 0", "Shift・Ctrl・Alt", "xy", "xz", "xw", "yz", "yw", "zw",
          "オートクルーズ", "ランキング表", "<code>tower</code>", "アニメーション無し", "keypad 0"})
        EXPECT_NE(page.find(fact), std::string::npos) << fact;
}
