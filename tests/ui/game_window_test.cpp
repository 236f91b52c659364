// The game window: its controls, keypad, menus, layout and unload, on the offscreen platform
// with scripted services.
#include "ui/game_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/fake_game_window.h"
#include "game/files.h"
#include "test_support.h"
#include "ui/game_window_fixture.h"
#include "ui/key_settings_dialog.h"
#include "ui/keypad.h"
#include "ui/view_widget.h"

namespace kestrune::ui {
namespace {

using test_fixture::GameWindowFixture;

class GameWindowTest : public GameWindowFixture {
protected:
    void Key(int key, Qt::KeyboardModifiers mods = Qt::KeypadModifier) {
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key), mods);
    }
};

TEST_F(GameWindowTest, PracticeOpensOnTheEmpty4DBoxWithTheDesignControls) {
    Open(kModePractice);
    EXPECT_EQ(window->windowTitle().toStdString(), "4次元迷路： ブランク");
    EXPECT_EQ(window->goalLabel()->text().toStdString(), "ありません");
    EXPECT_EQ(window->houkouLabel(0)->text().toStdString(), "X 軸 +方向");
    EXPECT_EQ(window->rotButton(4)->text().toStdString(), "奥未(S5)");
    EXPECT_EQ(window->aheadButton(1)->text().toStdString(), "後退(2)");
    EXPECT_EQ(window->rotButton(9)->geometry(), QRect(52, 128, 53, 25));
    EXPECT_TRUE(window->animationAction(4)->isChecked());
    EXPECT_TRUE(window->makeMenu()->isEnabled());
    EXPECT_FALSE(window->waitLabel()->isVisible());
    EXPECT_EQ(window->positionLabel()->text().toStdString(), "現在地は 0,0,0,0");
}

TEST_F(GameWindowTest, ViewIs445By441AtTheCreationSize) {
    Open(kModePractice);
    EXPECT_EQ(window->view()->size(), QSize(445, 441));
    EXPECT_EQ(window->panel()->x(), 445);
    EXPECT_EQ(window->strip()->y(), 416);
    EXPECT_EQ(window->logic().View().ViewCentreX, 222);
    EXPECT_EQ(window->logic().View().ViewCentreY, 220);
}

// The separator line lies under the view: the picture shows from its first row.
TEST_F(GameWindowTest, TheViewIsNotCoveredBySeparatorLine) {
    Open(kModePractice);
    const QImage client = window->centralWidget()->grab().toImage();
    const QImage& view = window->view()->canvas().image();
    for (int x : {10, 100, 300})
        for (int y : {0, 1}) EXPECT_EQ(client.pixel(x, y), view.pixel(x, y)) << x << "," << y;
}

TEST_F(GameWindowTest, TowerDisablesCreationAndNamesTheFloor) {
    Open(kModeTower);
    EXPECT_EQ(window->windowTitle().toStdString(), "5duzu：1階");
    EXPECT_FALSE(window->makeMenu()->isEnabled());
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
}

// Keypad digits with and without a modifier; main-keyboard digits and keypad 1/3 do nothing.
TEST_F(GameWindowTest, KeypadKeysDriveThePanel) {
    Open(kModePractice, "-1");
    Key(Qt::Key_5);
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    Key(Qt::Key_5, Qt::NoModifier);  // main keyboard
    Key(Qt::Key_1);
    Key(Qt::Key_3, Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    EXPECT_EQ(state->Orientation, kIdentity);
    Key(Qt::Key_5, Qt::KeypadModifier | Qt::ControlModifier);  // S5
    EXPECT_EQ(state->Orientation[3][0], 1);
    Key(Qt::Key_0, Qt::KeypadModifier | Qt::AltModifier);  // S0 undoes it
    EXPECT_EQ(state->Orientation, kIdentity);
    // Shift with Num Lock on arrives as a navigation key still flagged as keypad.
    Key(Qt::Key_Clear, Qt::KeypadModifier | Qt::ShiftModifier);
    EXPECT_EQ(state->Orientation[3][0], 1);
    Key(Qt::Key_Insert, Qt::KeypadModifier | Qt::ShiftModifier);
    EXPECT_EQ(state->Orientation, kIdentity);
    // Num Lock off: navigation keys without Shift do nothing.
    Key(Qt::Key_Left, Qt::KeypadModifier);
    EXPECT_EQ(state->Orientation, kIdentity);
    EXPECT_EQ(effects.played.size(), 5u);
}

// Under X11 Num Lock off with Shift sends the same navigation keys; the native state tells.
TEST(KeypadMapping, NavigationKeysCountOnlyWithShiftAndNumLockOn) {
    const auto kp = Qt::KeypadModifier | Qt::ShiftModifier;
    EXPECT_EQ(KeypadDigit(Qt::Key_Left, kp, true), (KeypadPress{4, true}));
    EXPECT_EQ(KeypadDigit(Qt::Key_Left, kp, std::nullopt), (KeypadPress{4, true}));
    EXPECT_FALSE(KeypadDigit(Qt::Key_Left, kp, false));
    EXPECT_FALSE(KeypadDigit(Qt::Key_Left, Qt::KeypadModifier, true));
    EXPECT_EQ(KeypadDigit(Qt::Key_7, Qt::KeypadModifier | Qt::AltModifier, false),
              (KeypadPress{7, true}));
    EXPECT_FALSE(KeypadDigit(Qt::Key_7, Qt::NoModifier, true));
}

// The main-keyboard layout drives the same panel actions; the keypad's arrows (Num Lock off),
// main-keyboard digits and keys held with Meta do nothing; the tooltips name both keys.
TEST_F(GameWindowTest, MainKeyboardKeysDriveThePanelBesideTheKeypad) {
    Open(kModePractice, "-1");
    Key(Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    Key(Qt::Key_Up);
    Key(Qt::Key_PageDown, Qt::KeypadModifier);
    Key(Qt::Key_8, Qt::NoModifier);
    Key(Qt::Key_Up, Qt::MetaModifier);
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
    EXPECT_EQ(state->Orientation, kIdentity);
    Key(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    Key(Qt::Key_Up, Qt::ShiftModifier);  // S5
    EXPECT_EQ(state->Orientation[3][0], 1);
    Key(Qt::Key_Down, Qt::ShiftModifier);  // S0 undoes it
    EXPECT_EQ(state->Orientation, kIdentity);
    Key(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(window->houkouLabel(0)->text().toStdString(), "Y 軸 +方向");
    Key(Qt::Key_E, Qt::NoModifier);  // 右振(9)
    Key(Qt::Key_Q, Qt::NoModifier);  // 左振(7) undoes it
    Key(Qt::Key_Right, Qt::NoModifier);
    EXPECT_EQ(state->Orientation, kIdentity);
    EXPECT_EQ(effects.played.size(), 8u);
    EXPECT_EQ(window->aheadButton(0)->toolTip().toStdString(), "前進する: テンキー 5 / ↑");
    EXPECT_EQ(window->aheadButton(1)->toolTip().toStdString(), "後退する: テンキー 0 / ↓");
    EXPECT_EQ(window->rotButton(10)->toolTip().toStdString(),
              "上を未へ向ける: テンキー Shift+8 / Shift+PgUp");
}

// The names the bindings use are Qt's portable key text, and keypad keys have none.
TEST(KeypadMapping, MainKeyNamesAreQtsPortableText) {
    const auto all = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    for (int key : {Qt::Key_A, Qt::Key_Z, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Insert,
                    Qt::Key_Delete}) {
        for (auto mods : {Qt::KeyboardModifiers(), all}) {
            const auto name = MainKeyName(key, mods);
            ASSERT_TRUE(name) << key;
            EXPECT_EQ(*name, QKeySequence(QKeyCombination(mods, Qt::Key(key)))
                                 .toString(QKeySequence::PortableText)
                                 .toStdString());
            EXPECT_EQ(NormalizeKeyName(*name), *name);
        }
        EXPECT_FALSE(MainKeyName(key, Qt::KeypadModifier)) << key;
    }
    EXPECT_FALSE(MainKeyName(Qt::Key_5, Qt::NoModifier));
    EXPECT_FALSE(MainKeyName(Qt::Key_Space, Qt::NoModifier));
    EXPECT_FALSE(MainKeyName(Qt::Key_F5, Qt::NoModifier));
}

// In the dialog a free key binds, a taken or unnamed one is refused with a message, and
// "既定に戻す" restores the default layout.
TEST(KeySettingsDialogTest, RebindsRefusesAndRestoresTheDefaults) {
    std::vector<std::string> refusals;
    KeySettingsDialog dialog(KeyBindings(), nullptr,
                             [&](const QString& text) { refusals.push_back(text.toStdString()); });
    const int ahead = PanelSlot({PanelAction::Kind::Step, 0});
    const int back = PanelSlot({PanelAction::Kind::Step, 1});
    EXPECT_EQ(dialog.field(ahead)->text().toStdString(), "↑");
    QTest::keyClick(dialog.field(ahead), Qt::Key_Shift, Qt::ShiftModifier);  // waits for the key
    QTest::keyClick(dialog.field(ahead), Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(dialog.Keys().Key(ahead), "Alt+W");
    EXPECT_EQ(dialog.field(ahead)->text().toStdString(), "Alt+W");
    EXPECT_TRUE(refusals.empty());
    QTest::keyClick(dialog.field(back), Qt::Key_W, Qt::AltModifier);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0],
              "Alt+W はもう「前進する」に使われています。ほかのキーを選んでください。");
    QTest::keyClick(dialog.field(back), Qt::Key_Down, Qt::KeypadModifier);
    QTest::keyClick(dialog.field(back), Qt::Key_7, Qt::NoModifier);
    EXPECT_EQ(refusals.size(), 3u);
    EXPECT_EQ(dialog.Keys().Key(back), "Down");
    EXPECT_EQ(dialog.field(back)->text().toStdString(), "↓");
    dialog.defaultsButton()->click();
    EXPECT_EQ(dialog.Keys(), KeyBindings());
    EXPECT_EQ(dialog.field(ahead)->text().toStdString(), "↑");
}

// "キー設定…": OK stores the keys in [Keys] and the new key drives the panel at once;
// Cancel changes nothing.
TEST_F(GameWindowTest, KeySettingsOkStoresAndCancelKeeps) {
    Open(kModePractice, "-1");
    const int ahead = PanelSlot({PanelAction::Kind::Step, 0});
    auto rebindAheadTo = [&](Qt::Key key, bool ok) {
        QTimer::singleShot(0, [&, key, ok] {
            auto* dialog = qobject_cast<KeySettingsDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no key settings dialog";
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
                return;
            }
            QTest::keyClick(dialog->field(ahead), key);
            ok ? dialog->accept() : dialog->reject();
        });
        window->keySettingsAction()->trigger();
    };
    rebindAheadTo(Qt::Key_W, false);
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "Ahead", "?"), "Up");
    rebindAheadTo(Qt::Key_W, true);
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "Ahead", "?"), "W");
    EXPECT_EQ(window->aheadButton(0)->toolTip().toStdString(), "前進する: テンキー 5 / W");
    Key(Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 4, 4, 4}));
    Key(Qt::Key_W, Qt::NoModifier);
    EXPECT_EQ(state->PlayerPos, (Vec4{5, 4, 4, 4}));
}

TEST_F(GameWindowTest, KeysWorkWhicheverButtonHasTheFocus) {
    Open(kModePractice, "-1");
    window->activateWindow();
    window->rotButton(7)->setFocus();
    QTest::keyClick(window->rotButton(7), Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(state->Orientation[1][0], 1);
    EXPECT_EQ(effects.played.size(), 1u);
}

// A held key: the repeats that piled up while a turn was drawn are delivered together and
// make one more turn, not one each; a separate press after that turns at once.
TEST_F(GameWindowTest, RepeatsThatPileUpDuringATurnMakeOneTurn) {
    Open(kModePractice);  // the 8-picture animation
    auto press = [&](bool autoRepeat) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_4, Qt::KeypadModifier, QStringLiteral("4"),
                      autoRepeat);
        QWidget* focus = QApplication::focusWidget();
        QApplication::sendEvent(focus ? focus : window.get(), &key);
    };
    press(false);
    EXPECT_EQ(effects.played.size(), 1u);
    for (int i = 0; i < 5; ++i) press(true);
    EXPECT_EQ(effects.played.size(), 1u);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(effects.played.size(), 2u);
    EXPECT_EQ(state->Orientation[0][0], -1);  // two quarter turns: facing back
    press(false);
    EXPECT_EQ(effects.played.size(), 3u);
}

TEST_F(GameWindowTest, ButtonsClickIntoTheRules) {
    Open(kModePractice, "-1");
    window->rotButton(0)->click();
    EXPECT_EQ(window->houkouLabel(0)->text().toStdString(), "Y 軸 +方向");
    window->aheadButton(0)->click();
    EXPECT_EQ(state->PlayerPos, (Vec4{4, 5, 4, 4}));
}

TEST_F(GameWindowTest, TheMakeMenuCreatesAMazeAndEnablesRestart) {
    Open(kModePractice, "-1");
    emit window->fileMenu()->aboutToShow();
    EXPECT_FALSE(window->restartAction()->isEnabled());
    window->restartAction()->setEnabled(true);
    window->restartAction()->trigger();  // F6 before any maze: nothing
    EXPECT_EQ(state->Difficulty, 0);
    emit window->dimensionMenu(2)->aboutToShow();
    window->levelAction(2, 3)->trigger();
    EXPECT_EQ(window->windowTitle().toStdString(), "3次元迷路：難易度 上級");
    EXPECT_EQ(window->goalLabel()->text().toStdString(), "12,12,12,0です");
    emit window->fileMenu()->aboutToShow();
    EXPECT_TRUE(window->restartAction()->isEnabled());
}

TEST_F(GameWindowTest, AnimationMenuChecksOneItem) {
    Open(kModePractice);
    window->animationAction(0)->trigger();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(window->animationAction(i)->isChecked(), i == 0);
    EXPECT_EQ(window->logic().AnimationLevel(), -1);
}

TEST_F(GameWindowTest, TheStripSlidesOutAndBack) {
    Open(kModePractice);
    const QPoint start = window->strip()->pos();
    window->zahyouAction()->trigger();
    EXPECT_FALSE(window->strip()->isVisible());
    EXPECT_FALSE(window->zahyouAction()->isChecked());
    window->zahyouAction()->trigger();
    EXPECT_TRUE(window->strip()->isVisible());
    EXPECT_TRUE(window->zahyouAction()->isChecked());
    EXPECT_EQ(window->strip()->pos(), start);
}

TEST_F(GameWindowTest, NarrowWindowsDropTheHeadingAndShrinkThePanel) {
    Open(kModePractice);
    // The outer width (frame included) decides, at 6390 twips = 426 pixels.
    window->resize(426 - (window->frameGeometry().width() - window->width()) - 1, window->height());
    EXPECT_EQ(window->panel()->width(), 97);  // 1450 twips
    EXPECT_EQ(window->positionLabel()->text().toStdString(), "0,0,0,0");
    window->resize(700, window->height());
    EXPECT_EQ(window->panel()->width(), 129);
    EXPECT_EQ(window->positionLabel()->text().toStdString(), "現在地は 0,0,0,0");
}

TEST_F(GameWindowTest, TooSmallWindowsGrowToTheMinimum) {
    Open(kModePractice);
    window->resize(400, 100);
    EXPECT_GE(window->frameGeometry().height(), 264);
    window->resize(50, 400);
    EXPECT_GE(window->frameGeometry().width(), 185);
}

// The animation setting is written once, when the window closes.
TEST_F(GameWindowTest, ClosingStoresTheAnimationSettingAndStopsTheMusic) {
    Open(kModePractice, "5");
    EXPECT_TRUE(window->animationAction(6)->isChecked());
    window->animationAction(0)->trigger();
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Animation", "?"), "5");
    window->close();
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Animation", "?"), "-1");
    EXPECT_EQ(music.calls.back(), "stop");
    EXPECT_EQ(window->AutoCruiseCaption(), "");
}

TEST_F(GameWindowTest, HelpOpensThePageWithTheDesktopsBrowser) {
    Open(kModePractice);
    // The help action is the first item of the last menu.
    QList<QAction*> menus = window->menuBar()->actions();
    QAction* help = menus.back()->menu()->actions().front();
    ASSERT_FALSE(FindDataFile("kestrune.html").empty());  // the build copies it beside us
    help->trigger();
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0].rfind("file://", 0), 0u);
    EXPECT_NE(links.opened[0].find("kestrune.html"), std::string::npos);
}

}  // namespace
}  // namespace kestrune::ui
