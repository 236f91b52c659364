// "迷路番号…" on the desktop: the box copies the code and hands back the typed one; the menu
// item reaches it in practice and is disabled in the tower.
#include "ui/maze_number_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/fake_game_window.h"
#include "ui/game_window_fixture.h"
#include "ui/qt_services.h"

namespace kestrune::ui {
namespace {

using test_fixture::GameWindowFixture;

// Runs `act` on the box once it is open.
void WhenBoxOpens(std::function<void(MazeNumberDialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<MazeNumberDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

// The code shown is the one copied; the code typed is the one handed back; closing the box
// hands back nothing. A figure space shows no code, only the entry field.
TEST(MazeNumberDialog, CopiesTheCodeAndHandsBackTheTypedOne) {
    QtDialogs dialogs;
    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    WhenBoxOpens([](MazeNumberDialog& box) {
        ASSERT_NE(box.codeField(), nullptr);
        EXPECT_EQ(box.codeField()->text().toStdString(), "4D-3-0002026-9");
        EXPECT_EQ(box.entryField()->text().toStdString(), "2D-1-");
        box.copyButton()->click();
        box.entryField()->setText(QStringLiteral("3D-2-0000001-5"));
        box.buildButton()->click();
    });
    EXPECT_EQ(dialogs.MazeNumberBox("4D-3-0002026-9", "2D-1-"), "3D-2-0000001-5");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "4D-3-0002026-9");

    WhenBoxOpens([](MazeNumberDialog& box) {
        EXPECT_EQ(box.codeField(), nullptr);
        EXPECT_EQ(box.copyButton(), nullptr);
        box.reject();
    });
    EXPECT_EQ(dialogs.MazeNumberBox("", ""), std::nullopt);
}

class MazeNumberMenuTest : public GameWindowFixture {};

TEST_F(MazeNumberMenuTest, TheItemOpensTheBoxWithTheMazesCodeAndTheTowerDisablesIt) {
    Open(kModePractice, "-1");
    window->levelAction(2, 3)->trigger();
    const std::string code = window->logic().MazeCodeText();
    ASSERT_FALSE(code.empty());
    EXPECT_TRUE(window->mazeNumberAction()->isEnabled());
    window->mazeNumberAction()->trigger();
    EXPECT_EQ(dialogs.shownCodes, (std::vector<std::string>{code}));

    window.reset();
    Open(kModeTower, "-1");
    EXPECT_FALSE(window->mazeNumberAction()->isEnabled());
}

}  // namespace
}  // namespace kestrune::ui
