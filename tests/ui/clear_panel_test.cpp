// The clear panel: its design, the tower ending played on the real widgets, and clicks that
// hide it.
#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "navigation/ending.h"
#include "test_support.h"
#include "ui/clear_panel.h"

using kestrune::ui::ClearPanel;
using namespace kestrune;

namespace {

class ClearPanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    }
    ClearPanel panel;
    test::RecordingMusic music;
    test::RecordingLinkOpener links;
    test::RecordingPause pause;
};

}  // namespace

TEST_F(ClearPanelTest, DesignSizesTextsAndFonts) {
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(panel.size(), QSize(393, 177));
    EXPECT_EQ(panel.picEnding()->geometry(), QRect(8, 0, 377, 169));
    EXPECT_EQ(panel.Label4()->geometry(), QRect(0, 0, 385, 89));
    EXPECT_EQ(panel.Label5(0)->geometry(), QRect(0, 96, 377, 25));
    EXPECT_EQ(panel.Label5(1)->geometry(), QRect(0, 128, 393, 25));
    EXPECT_EQ(panel.Label4()->text(), "CLEAR!!");
    EXPECT_EQ(panel.Label5(0)->text(), "You are great!!");
    EXPECT_EQ(panel.Label5(1)->text(), "Clear time");
    EXPECT_EQ(panel.Label4()->font().pointSizeF(), 72);
    EXPECT_EQ(panel.Label5(1)->font().pointSizeF(), 18);
    EXPECT_EQ(panel.Label4()->font().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(panel.Label5(2), nullptr);
    EXPECT_EQ(panel.Label5(0)->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(panel.Label5(0)->alignment() & Qt::AlignHCenter);

    panel.SetClearTimeCaption(QStringLiteral("Clear Time :   2:07"));
    EXPECT_EQ(panel.Label5(1)->text(), "Clear Time :   2:07");
}

TEST_F(ClearPanelTest, PanelAndPictureAreBlack) {
    panel.Label4()->hide();
    panel.Label5(0)->hide();
    panel.Label5(1)->hide();
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(200, 170), QColor(Qt::black));
}

// The order of the ending is the core's; here: the real labels it leaves behind.
TEST_F(ClearPanelTest, EndingLeavesThirtyTwoLabelsScrolledExactly34LinesUp) {
    std::vector<int> topAtPause;
    pause.onPause = [&](int) { topAtPause.push_back(panel.picEnding()->y()); };
    ASSERT_TRUE(panel.ShowEnding(music, links, pause));

    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(music.calls, std::vector<std::string>{"stop"});
    for (int i = 0; i < kEndingLineCount; ++i) {
        const QLabel* line = panel.Label5(i);
        ASSERT_NE(line, nullptr) << i;
        EXPECT_EQ(line->parentWidget(), panel.picEnding()) << i;
        EXPECT_TRUE(line->isVisibleTo(&panel)) << i;
        EXPECT_EQ(line->text().toStdString(), EndingLineText(i)) << i;
        EXPECT_EQ(line->y(), EndingLineTop(i, 96, 25)) << i;
        EXPECT_EQ(line->font().pointSizeF(), i < 2 ? 18 : 9) << i;
        EXPECT_EQ(line->font().family(), "ＭＳ Ｐゴシック") << i;
    }
    // Created lines copy element 0, not element 1.
    EXPECT_EQ(panel.Label5(2)->width(), 377);
    EXPECT_EQ(panel.Label5(1)->width(), 393);
    EXPECT_EQ(panel.picEnding()->height(), 96 + 34 * 25 + 25);

    ASSERT_EQ(topAtPause.size(), 547u);
    EXPECT_EQ(topAtPause[2], -2);
    EXPECT_EQ(topAtPause[17], -25);
    EXPECT_EQ(panel.picEnding()->pos(), QPoint(8, -850));
    // Line 31 where line 0 began, line 30 one line above it.
    EXPECT_EQ(panel.Label5(31)->y() + panel.picEnding()->y(), 96);
    EXPECT_EQ(panel.Label5(30)->y() + panel.picEnding()->y(), 71);
}

TEST_F(ClearPanelTest, SecondEndingReusesTheLabels) {
    ASSERT_TRUE(panel.ShowEnding(music, links, pause));
    std::vector<QLabel*> first;
    for (int i = 0; i < kEndingLineCount; ++i) first.push_back(panel.Label5(i));

    panel.hide();
    test::RecordingPause again;
    ASSERT_TRUE(panel.ShowEnding(music, links, again));
    EXPECT_EQ(panel.picEnding()->findChildren<QLabel*>().size(), 33);  // Label4 and 32 lines
    EXPECT_TRUE(panel.isVisible());
    for (int i = 0; i < kEndingLineCount; ++i) {
        EXPECT_EQ(panel.Label5(i), first[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(panel.Label5(i)->y(), EndingLineTop(i, 96, 25)) << i;
    }
    EXPECT_EQ(panel.picEnding()->y(), -850);
}

TEST_F(ClearPanelTest, LeftClickAnywhereOnThePanelAsksToHideIt) {
    panel.show();
    QSignalSpy spy(&panel, &ClearPanel::clicked);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(390, 170));
    QTest::mouseClick(panel.Label4(), Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseClick(panel.Label5(0), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(panel.Label5(1), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(panel.picEnding(), Qt::LeftButton, {}, QPoint(300, 160));
    EXPECT_EQ(spy.count(), 5);

    // A right click is not a click of the panel.
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(spy.count(), 5);

    // Nor does an ending's created line swallow the click.
    ASSERT_TRUE(panel.ShowEnding(music, links, pause));
    QTest::mouseClick(panel.Label5(31), Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(spy.count(), 6);
}
