// The tower ending as a sequence: its text, where each line stands, and what is shown, stopped,
// opened and waited for, in which order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "navigation/ending.h"
#include "test_support.h"

using namespace kestrune;
using kestrune::test::RecordingLinkOpener;
using kestrune::test::RecordingMusic;
using kestrune::test::RecordingPause;

namespace {

// The panel as plain values: lines copy line 0 when created, as the label array does.
class FakePanel final : public IEndingPanel {
public:
    struct Line {
        int top = 0;
        int height = 0;
        double points = 0;
        std::string text;
        bool visible = true;
    };
    std::map<int, Line> lines;
    int created = 0;
    int endingTop = 0;
    int endingHeight = 169;
    bool shown = false;
    int repaints = 0;
    std::vector<std::string>* log = nullptr;

    FakePanel() {
        lines[0] = {1440, 375, 18, "You are great!!", true};
        lines[1] = {1920, 375, 18, "Clear time", true};
    }
    void CreateLine(int index) override {
        if (lines.count(index)) return;
        Line copy = lines.at(0);
        copy.visible = false;
        lines[index] = copy;
        ++created;
    }
    void SetLineVisible(int index, bool visible) override { lines.at(index).visible = visible; }
    int LineTop(int index) const override { return lines.at(index).top; }
    int LineHeight(int index) const override { return lines.at(index).height; }
    void SetLineTop(int index, int top) override { lines.at(index).top = top; }
    void SetLineFontSize(int index, double points) override { lines.at(index).points = points; }
    void SetLineText(int index, const std::string& text) override {
        if (log && index == 0) log->push_back("texts");
        lines.at(index).text = text;
    }
    void SetEndingHeight(int height) override { endingHeight = height; }
    void SetEndingTop(int top) override { endingTop = top; }
    void ShowPanel() override {
        if (log) log->push_back("show");
        shown = true;
    }
    void RepaintPanel() override { ++repaints; }
};

}  // namespace

TEST(EndingText, LinesKeepTheirExactCharacters) {
    EXPECT_EQ(EndingLineText(0), "You are the greatest!!");
    // Three full-width full stops and an ideographic one.
    EXPECT_EQ(EndingLineText(9),
              "また塔へと戻り挑戦を続ける\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\x8E。");
    // A half-width full stop followed by one blank.
    EXPECT_EQ(EndingLineText(25), "永遠に登り続けてください\xEF\xBD\xA1 ");
    EXPECT_EQ(EndingLineText(2), "あなたは99層におよぶ塔を登りきりました。");
    EXPECT_EQ(EndingLineText(18), "すでに世界有数の4次元マニアです。");
    EXPECT_EQ(EndingLineText(30), "「Kestrune」");
    for (int empty : {1, 5, 7, 10, 11, 12, 13, 14, 20, 23, 26, 27, 28, 29})
        EXPECT_EQ(EndingLineText(empty), "") << "line " << empty;
    EXPECT_EQ(EndingLineText(-1), "");
    EXPECT_EQ(EndingLineText(32), "");
}

TEST(EndingText, HeadingThenAThreeLineGapThenTheStory) {
    // Design units: T0 1440, H 375.
    EXPECT_EQ(EndingLineTop(0, 1440, 375), 1440);
    EXPECT_EQ(EndingLineTop(1, 1440, 375), 1815);
    EXPECT_EQ(EndingLineTop(2, 1440, 375), 3315);
    EXPECT_EQ(EndingLineTop(31, 1440, 375), 14190);
}

TEST(EndingText, ScrollIsSixteenthsOfALineEndingAtExactly34Lines) {
    EXPECT_EQ(EndingScrollTop(0, 375), 0);
    EXPECT_EQ(EndingScrollTop(16, 375), -375);
    EXPECT_EQ(EndingScrollTop(kEndingScrollSteps - 1, 375), -12750);
    EXPECT_EQ(EndingScrollTop(kEndingScrollSteps - 1, 25), -850);
    // 25 / 16 pixels a step: 1.5625 -> 2, 12.5 -> 12 (ties to even).
    EXPECT_EQ(EndingScrollTop(1, 25), -2);
    EXPECT_EQ(EndingScrollTop(8, 25), -12);
    EXPECT_EQ(kEndingScrollSteps, 545);
}

TEST(EndingText, MailLinkIsBuiltWithoutEncoding) {
    EXPECT_EQ(EndingMailLink(), "mailto:?subject=duderクリアしました");
}

class EndingPlay : public ::testing::Test {
protected:
    FakePanel panel;
    RecordingMusic music;
    RecordingLinkOpener links;
    RecordingPause pause;
};

TEST_F(EndingPlay, SetsUpAllThirtyTwoLines) {
    ASSERT_TRUE(PlayEnding(panel, music, links, pause));
    EXPECT_EQ(panel.created, 30);
    ASSERT_EQ(panel.lines.size(), 32u);
    for (int i = 0; i < kEndingLineCount; ++i) {
        const auto& line = panel.lines.at(i);
        EXPECT_TRUE(line.visible) << i;
        EXPECT_EQ(line.top, EndingLineTop(i, 1440, 375)) << i;
        EXPECT_EQ(line.height, 375) << i;
        EXPECT_EQ(line.points, i < 2 ? 18 : 9) << i;
        EXPECT_EQ(line.text, EndingLineText(i)) << i;
    }
    EXPECT_EQ(panel.endingHeight, 14190 + 375);
    EXPECT_TRUE(panel.shown);
    EXPECT_EQ(music.calls, std::vector<std::string>{"stop"});
}

TEST_F(EndingPlay, PausesScrollsAndOpensTheMailInOrder) {
    std::vector<int> topAtPause;
    std::vector<size_t> mailsAtPause;
    pause.onPause = [&](int) {
        topAtPause.push_back(panel.endingTop);
        mailsAtPause.push_back(links.opened.size());
    };
    ASSERT_TRUE(PlayEnding(panel, music, links, pause));

    ASSERT_EQ(pause.pauses.size(), 547u);
    EXPECT_EQ(pause.pauses.front(), 1000);
    EXPECT_EQ(pause.pauses.back(), 5000);
    for (size_t i = 1; i < 546; ++i) ASSERT_EQ(pause.pauses[i], 100) << i;

    // Top 0 before the first pause, then one position per 100 ms pause.
    EXPECT_EQ(topAtPause[0], 0);
    for (int k = 0; k < kEndingScrollSteps; ++k)
        ASSERT_EQ(topAtPause[static_cast<size_t>(k) + 1], EndingScrollTop(k, 375)) << k;
    EXPECT_EQ(panel.endingTop, -12750);
    EXPECT_EQ(panel.repaints, 546);

    // The mail link opens once, after the scroll and before the last pause.
    EXPECT_EQ(links.opened, std::vector<std::string>{EndingMailLink()});
    EXPECT_EQ(mailsAtPause[545], 0u);
    EXPECT_EQ(mailsAtPause[546], 1u);
}

TEST_F(EndingPlay, MusicStopsAndTextsAreSetBeforeThePanelShows) {
    std::vector<std::string> log;
    panel.log = &log;
    ASSERT_TRUE(PlayEnding(panel, music, links, pause));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "texts");
    EXPECT_EQ(log[1], "show");
    EXPECT_EQ(music.calls.size(), 1u);
}

TEST_F(EndingPlay, SecondEndingReusesTheLinesAndShowsTheSame) {
    ASSERT_TRUE(PlayEnding(panel, music, links, pause));
    const auto first = panel.lines;
    const int firstHeight = panel.endingHeight;
    RecordingPause again;
    ASSERT_TRUE(PlayEnding(panel, music, links, again));
    EXPECT_EQ(panel.created, 30);
    EXPECT_EQ(again.pauses, pause.pauses);
    EXPECT_EQ(panel.endingHeight, firstHeight);
    EXPECT_EQ(panel.endingTop, -12750);
    for (int i = 0; i < kEndingLineCount; ++i) {
        EXPECT_EQ(panel.lines.at(i).top, first.at(i).top) << i;
        EXPECT_EQ(panel.lines.at(i).text, first.at(i).text) << i;
        EXPECT_EQ(panel.lines.at(i).points, first.at(i).points) << i;
    }
}

TEST_F(EndingPlay, ClosingTheWindowEndsItAtOnceWithoutTheMail) {
    pause.stopAt = 10;
    EXPECT_FALSE(PlayEnding(panel, music, links, pause));
    EXPECT_EQ(pause.pauses.size(), 11u);
    EXPECT_TRUE(links.opened.empty());

    RecordingPause atStart;
    atStart.stopAt = 0;
    EXPECT_FALSE(PlayEnding(panel, music, links, atStart));
    EXPECT_EQ(atStart.pauses.size(), 1u);
    EXPECT_TRUE(links.opened.empty());
}
