// The ranking window: cells from the settings file, its table layout, and when it re-reads.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <fstream>
#include <sstream>

#include "settings/settings_file.h"
#include "test_support.h"
#include "ui/desktop_links.h"
#include "ui/menu_windows.h"
#include "ui/ranking_window.h"

using kestrune::SettingsFile;
using kestrune::ui::MenuWindows;
using kestrune::ui::RankingWindow;

namespace {

class RankingTest : public ::testing::Test {
protected:
    void SetUp() override { settings.SetSettingsPath(dir.file("kestrune.ini")); }
    void Write(const std::string& key, const std::string& value) {
        settings.WriteSetting("Kestrune", key, value);
    }
    std::string FileText() const {
        std::ifstream in(dir.file("kestrune.ini"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    kestrune::test::TempDir dir;
    SettingsFile settings;
};

std::string Text(const QLabel* label) {
    return label->text().toStdString();
}

}  // namespace

TEST_F(RankingTest, WithoutAFileEveryCellIsPelkinIn60MinutesAndAll24KeysAreStored) {
    RankingWindow window(settings);
    EXPECT_EQ(Text(window.lblName(0)), "NON");
    EXPECT_EQ(Text(window.lblTime(0)), "60：00");
    window.Form_Load();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "ランキング表");
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(Text(window.lblName(i)), "Pelkin") << i;
        EXPECT_EQ(Text(window.lblTime(i)), "60:00") << i;
    }
    const std::string file = FileText();
    for (int d = 1; d <= 3; ++d)
        for (int l = 0; l <= 3; ++l) {
            const std::string digits = std::to_string(d) + std::to_string(l);
            EXPECT_NE(file.find("Time" + digits + "=3600"), std::string::npos) << digits;
            EXPECT_NE(file.find("Name" + digits + "=Pelkin"), std::string::npos) << digits;
        }
}

TEST_F(RankingTest, CellsComeFromThePreparedFileByDimensionAndLevel) {
    Write("Time10", "59");
    Write("Name10", "Aki");
    Write("Time13", "7199");
    Write("Name13", "");
    Write("Time21", "600");
    Write("Name21", "<b>Ren</b> & co");
    Write("Time33", "40000");
    Write("Name33", "Yui");
    Write("Time32", "0");
    RankingWindow window(settings);
    window.Form_Load();
    EXPECT_EQ(Text(window.lblName(0)), "Aki");
    EXPECT_EQ(Text(window.lblTime(0)), "0:59");
    EXPECT_EQ(Text(window.lblTime(3)), "119:59");
    EXPECT_EQ(Text(window.lblName(3)), "Pelkin");  // an empty name reads as the default
    EXPECT_EQ(Text(window.lblTime(5)), "10:00");
    EXPECT_EQ(Text(window.lblName(5)), "<b>Ren</b> & co");
    EXPECT_EQ(window.lblName(5)->textFormat(), Qt::PlainText);
    EXPECT_EQ(Text(window.lblTime(11)), "666:40");  // beyond 32767, not wrapped
    EXPECT_EQ(Text(window.lblName(11)), "Yui");
    EXPECT_EQ(Text(window.lblTime(10)), "0:00");
    EXPECT_EQ(Text(window.lblTime(4)), "60:00");
}

TEST_F(RankingTest, TableLayout) {
    RankingWindow window(settings);
    EXPECT_EQ(window.size(), QSize(337, 159));
    EXPECT_EQ(window.lblName(0)->geometry(), QRect(80, 40, 49, 17));
    EXPECT_EQ(window.lblTime(0)->geometry(), QRect(80, 56, 49, 17));
    EXPECT_EQ(window.lblName(7)->geometry(), QRect(272, 80, 49, 17));
    EXPECT_EQ(window.lblTime(11)->geometry(), QRect(272, 136, 49, 17));
    EXPECT_TRUE(window.lblName(0)->alignment() & Qt::AlignLeft);
    EXPECT_TRUE(window.lblTime(0)->alignment() & Qt::AlignRight);

    const char* headers[] = {"初級", "中級", "上級", "特級", "２次元", "４次元", "３次元"};
    const QPoint places[] = {{80, 16}, {144, 16}, {208, 16}, {272, 16},
                             {16, 48}, {16, 128}, {16, 88}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Text(window.Label1(i)), headers[i]) << i;
        EXPECT_EQ(window.Label1(i)->pos(), places[i]) << i;
        EXPECT_TRUE(window.Label1(i)->alignment() & Qt::AlignHCenter) << i;
    }
}

TEST_F(RankingTest, RulesAndBoxesAreDrawnWhereTheTableSays) {
    RankingWindow window(settings);
    const QImage image = window.grab().toImage();
    const QColor ink = window.palette().color(QPalette::WindowText);
    const QColor paper = window.palette().color(QPalette::Window);
    EXPECT_EQ(image.pixelColor(136, 100), ink);  // Line1(0)
    EXPECT_EQ(image.pixelColor(264, 150), ink);  // Line1(2)
    EXPECT_EQ(image.pixelColor(40, 20), ink);    // Line2, halfway along
    EXPECT_EQ(image.pixelColor(8, 100), ink);    // Shape2's left side
    EXPECT_EQ(image.pixelColor(328, 100), ink);  // Shape2's right side
    EXPECT_EQ(image.pixelColor(200, 72), ink);   // Shape4's top
    EXPECT_EQ(image.pixelColor(200, 112), ink);  // Shape4's bottom
    EXPECT_EQ(image.pixelColor(329, 100), paper);
    EXPECT_EQ(image.pixelColor(3, 3), paper);
}

TEST_F(RankingTest, MenuOpensOnceReReadsOnlyAfterARecordOrAReopen) {
    kestrune::test::RecordingLinkOpener links;
    QWidget game;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    game.setWindowIcon(QIcon(pixmap));
    MenuWindows windows(settings, links, &game);

    windows.OpenRanking();
    QPointer<RankingWindow> window = windows.Ranking();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(Text(window->lblTime(0)), "60:00");

    Write("Time10", "65");
    Write("Name10", "Sora");
    windows.OpenRanking();  // already open: only brought to the front
    EXPECT_EQ(windows.Ranking(), window.data());
    EXPECT_EQ(Text(window->lblTime(0)), "60:00");
    EXPECT_EQ(Text(window->lblName(0)), "Pelkin");

    windows.ReloadRanking();  // after a new record
    EXPECT_EQ(Text(window->lblTime(0)), "1:05");
    EXPECT_EQ(Text(window->lblName(0)), "Sora");

    Write("Time10", "60");
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);  // closing unloads
    windows.OpenRanking();
    ASSERT_TRUE(windows.Ranking());
    EXPECT_EQ(Text(windows.Ranking()->lblTime(0)), "1:00");
}

TEST_F(RankingTest, ReloadCreatesTheWindowWhenItIsNotOpen) {
    kestrune::test::RecordingLinkOpener links;
    MenuWindows windows(settings, links, nullptr);
    Write("Time20", "125");
    windows.ReloadRanking();
    ASSERT_TRUE(windows.Ranking());
    EXPECT_TRUE(windows.Ranking()->isVisible());
    EXPECT_EQ(Text(windows.Ranking()->lblTime(4)), "2:05");
}
