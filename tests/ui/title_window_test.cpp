// The title window: the choice of mode, and closing it without one.
#include "ui/title_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "game/files.h"
#include "test_support.h"

namespace kestrune::ui {
namespace {

class TitleWindowTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::unique_ptr<GameState> state = test::MakeState();
    std::unique_ptr<TitleWindow> title;
    void SetUp() override {
        PrepareStartup(*state);
        title = std::make_unique<TitleWindow>(*state, dir.file("tower"));
        title->show();
    }
};

TEST_F(TitleWindowTest, CaptionButtonsAndPictureFollowTheDesign) {
    EXPECT_EQ(title->windowTitle().toStdString(), "Kestrune");
    EXPECT_EQ(title->size(), QSize(139, 97));
    EXPECT_EQ(title->practiceButton()->text().toStdString(), "練習");
    EXPECT_EQ(title->towerLabel()->text().toStdString(), "塔に登る");
    EXPECT_EQ(title->towerButton()->geometry(), QRect(8, 8, 57, 81));
    EXPECT_FALSE(title->towerPicture()->pixmap().isNull());
}

TEST_F(TitleWindowTest, PracticeChoosesModeZero) {
    QSignalSpy decided(title.get(), &TitleWindow::decided);
    QTest::mouseClick(title->practiceButton(), Qt::LeftButton);
    EXPECT_EQ(state->GameMode, kModePractice);
    EXPECT_EQ(decided.count(), 1);
    EXPECT_FALSE(title->isVisible());
}

// A click on the picture or its label is the same as on the tower button.
TEST_F(TitleWindowTest, TowerPictureStartsTheTowerFromItsFile) {
    ASSERT_TRUE(WriteIntegerLines(
        dir.file("tower"), {7, 10, 6, 4, 12, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    QTest::mouseClick(title->towerLabel(), Qt::LeftButton);
    EXPECT_EQ(state->GameMode, kModeTower);
    EXPECT_EQ(state->TowerFloor, 7);
    EXPECT_EQ(state->StartPose[0], (std::array<int16_t, 4>{10, 6, 4, 12}));
}

TEST_F(TitleWindowTest, TowerWithoutAFileIsANewTower) {
    QTest::mouseClick(title->towerPicture(), Qt::LeftButton);
    EXPECT_EQ(state->GameMode, kModeTower);
    EXPECT_EQ(state->TowerFloor, 1);
    EXPECT_FALSE(ReadWholeFile(dir.file("tower")));
}

TEST_F(TitleWindowTest, ClosingWithoutAChoiceQuitsAndTouchesNoFile) {
    QSignalSpy decided(title.get(), &TitleWindow::decided);
    title->close();
    EXPECT_EQ(state->GameMode, kModeQuit);
    EXPECT_EQ(decided.count(), 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace kestrune::ui
