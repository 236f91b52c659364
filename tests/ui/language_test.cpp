// The two languages in the windows: today's Japanese texts, a live switch of every open
// window, and texts that fit their controls in both languages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <map>

#include "core/fake_game_window.h"
#include "navigation/readouts.h"
#include "navigation/records.h"
#include "test_support.h"
#include "ui/clear_panel.h"
#include "ui/game_window.h"
#include "ui/game_window_fixture.h"
#include "ui/language.h"
#include "ui/menu_windows.h"
#include "ui/ranking_window.h"
#include "ui/title_window.h"
#include "ui/version_window.h"

namespace kestrune::ui {
namespace {

void AddMenuTexts(const QMenu* menu, QStringList& out, const QString& path) {
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        const QString item = path + " > " + action->text();
        out << "menu:" + item;
        if (action->menu()) AddMenuTexts(action->menu(), out, item);
    }
}

// Every text of a window that a player can read: its title, its menus and the captions of its
// buttons and labels, in the order they were made.
QStringList WindowTexts(const QWidget* window) {
    QStringList out{"title:" + window->windowTitle()};
    if (auto* main = qobject_cast<const QMainWindow*>(window))
        for (const QAction* action : main->menuBar()->actions()) {
            out << "menu:" + action->text();
            if (action->menu()) AddMenuTexts(action->menu(), out, action->text());
        }
    for (const QObject* child : window->findChildren<QObject*>()) {
        if (auto* button = qobject_cast<const QAbstractButton*>(child))
            out << "button:" + button->text();
        else if (auto* label = qobject_cast<const QLabel*>(child);
                 label && !label->text().isEmpty())
            out << "label:" + label->text();
    }
    return out;
}

// The texts of the game window at the start of practice, the ranking table and the About box
// (both opened from it) and the title window, as the game showed them before the catalogue.
const char* const kJapaneseTexts[] = {"title:4次元迷路： ブランク",
                                      "menu:迷路",
                                      "menu:迷路 > リスタート",
                                      "menu:迷路 > リスタート > スタート地点に戻る",
                                      "menu:迷路 > リスタート > 同じ条件でもう一度",
                                      "menu:迷路 > 作成",
                                      "menu:迷路 > 作成 > 2次元",
                                      "menu:迷路 > 作成 > 2次元 > 図形",
                                      "menu:迷路 > 作成 > 2次元 > 図形 > ブランク",
                                      "menu:迷路 > 作成 > 2次元 > 図形 > 球",
                                      "menu:迷路 > 作成 > 2次元 > 初級",
                                      "menu:迷路 > 作成 > 2次元 > 中級",
                                      "menu:迷路 > 作成 > 2次元 > 上級",
                                      "menu:迷路 > 作成 > 2次元 > 特級",
                                      "menu:迷路 > 作成 > 3次元",
                                      "menu:迷路 > 作成 > 3次元 > 図形",
                                      "menu:迷路 > 作成 > 3次元 > 図形 > ブランク",
                                      "menu:迷路 > 作成 > 3次元 > 図形 > 球",
                                      "menu:迷路 > 作成 > 3次元 > 初級",
                                      "menu:迷路 > 作成 > 3次元 > 中級",
                                      "menu:迷路 > 作成 > 3次元 > 上級",
                                      "menu:迷路 > 作成 > 3次元 > 特級",
                                      "menu:迷路 > 作成 > 4次元",
                                      "menu:迷路 > 作成 > 4次元 > 図形",
                                      "menu:迷路 > 作成 > 4次元 > 図形 > ブランク",
                                      "menu:迷路 > 作成 > 4次元 > 図形 > 球",
                                      "menu:迷路 > 作成 > 4次元 > 初級",
                                      "menu:迷路 > 作成 > 4次元 > 中級",
                                      "menu:迷路 > 作成 > 4次元 > 上級",
                                      "menu:迷路 > 作成 > 4次元 > 特級",
                                      "menu:迷路 > ヒント（ゴール方向を向く）",
                                      "menu:迷路 > オートクルーズ",
                                      "menu:その他",
                                      "menu:その他 > 座標を見る",
                                      "menu:その他 > ランキング表",
                                      "menu:その他 > 設定",
                                      "menu:その他 > 設定 > アニメーション無し",
                                      "menu:その他 > 設定 > 1段階",
                                      "menu:その他 > 設定 > 2段階",
                                      "menu:その他 > 設定 > 4段階",
                                      "menu:その他 > 設定 > 8段階",
                                      "menu:その他 > 設定 > 16段階",
                                      "menu:その他 > 設定 > 32段階",
                                      "menu:その他 > 設定 > 64段階",
                                      "menu:ヘルプ",
                                      "menu:ヘルプ > ヘルプ",
                                      "menu:ヘルプ > バージョン情報",
                                      "label:CLEAR!!",
                                      "label:You are great!!",
                                      "label:Clear time",
                                      "label:Please Wait",
                                      "label:現在地は 0,0,0,0",
                                      "label:ゴールは",
                                      "label:ありません",
                                      "button:前進(5)",
                                      "button:左(4)",
                                      "button:右(6)",
                                      "button:上(8)",
                                      "button:下(2)",
                                      "button:奥未(S5)",
                                      "button:奥過(S0)",
                                      "button:左振(7)",
                                      "button:右振(9)",
                                      "button:左未(S4)",
                                      "button:右未(S6)",
                                      "button:上未(S8)",
                                      "button:下未(S2)",
                                      "button:後退(2)",
                                      "label:xy",
                                      "label:xz",
                                      "label:xw",
                                      "label:yz",
                                      "label:yw",
                                      "label:zw",
                                      "label:方向",
                                      "label:X 軸 +方向",
                                      "label:Z 軸 +",
                                      "label:Y 軸 +",
                                      "label:Y 軸 -",
                                      "label:Z 軸 -",
                                      "label:W 軸 +",
                                      "label:W 軸 -",
                                      "label:を向いています。",
                                      "label:Time",
                                      "label:0:00",
                                      "button:",
                                      "title:ランキング表",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:Pelkin",
                                      "label:60:00",
                                      "label:初級",
                                      "label:中級",
                                      "label:上級",
                                      "label:特級",
                                      "label:２次元",
                                      "label:４次元",
                                      "label:３次元",
                                      "title:バージョン情報",
                                      "label:Kestrune",
                                      "label:β",
                                      "label:Version 2.0.53",
                                      "label:Pelkin",
                                      "label:Send Mail ",
                                      "label:Visit Home Page",
                                      "button:OK",
                                      "title:Kestrune",
                                      "button:",
                                      "label:塔に登る",
                                      "button:練習"};

// True when `texts` holds every one of today's texts, in the same order (new items may lie
// between them).
bool HoldsInOrder(const QStringList& texts, const QStringList& today, QString* missing) {
    qsizetype at = 0;
    for (const QString& text : today) {
        at = texts.indexOf(text, at);
        if (at < 0) {
            *missing = text;
            return false;
        }
        ++at;
    }
    return true;
}

// The columns of a control that its window shows, in the control's own coordinates (the
// rows do not matter: the ending scrolls its lines out of sight on purpose).
QRect VisibleColumns(const QWidget* widget) {
    constexpr int kTall = 1 << 20;
    QRect visible(0, -kTall, widget->width(), 2 * kTall);
    int offset = 0;
    for (const QWidget* w = widget; !w->isWindow(); w = w->parentWidget()) {
        offset += w->x();
        visible &= QRect(-offset, -kTall, w->parentWidget()->width(), 2 * kTall);
    }
    return visible;
}

// Where a control draws its one-line caption, and the room it has for it, in the control's
// coordinates: a text wider than its room spills over both of the room's edges.
struct Caption {
    QString text;
    int left = 0, right = 0;
    QRect room;
};
Caption CaptionOf(const QWidget* widget) {
    Caption c;
    Qt::Alignment align = Qt::AlignHCenter;
    if (auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        c.text = button->text();
        c.room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    } else {
        auto* label = qobject_cast<const QLabel*>(widget);
        c.text = label->text();
        c.room = label->contentsRect();
        align = label->alignment() & Qt::AlignHorizontal_Mask;
    }
    const int width = widget->fontMetrics().horizontalAdvance(c.text);
    c.left = c.room.left();
    if (align & Qt::AlignRight) c.left = c.room.right() + 1 - width;
    if (align & Qt::AlignHCenter) c.left = c.room.left() + (c.room.width() - width) / 2;
    c.right = c.left + width;
    return c;
}

// The shown controls of a window whose caption is cut, by the control itself or by what
// contains it, with what is cut.
std::map<const QWidget*, QString> ClippedTexts(const QWidget* window) {
    std::map<const QWidget*, QString> clipped;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const auto* button = qobject_cast<const QPushButton*>(w);
        const auto* label = qobject_cast<const QLabel*>(w);
        if ((!button && !label) || !w->isVisibleTo(window)) continue;
        const Caption c = CaptionOf(w);
        if (c.text.isEmpty()) continue;
        const QRect room = QRect(c.room.left(), 0, c.room.width(), 1) & VisibleColumns(w);
        if (c.left < room.left() || c.right > room.right() + 1)
            clipped[w] = QString("%1 [%2..%3 in %4..%5]")
                             .arg(c.text)
                             .arg(c.left)
                             .arg(c.right)
                             .arg(room.left())
                             .arg(room.right() + 1);
    }
    return clipped;
}

QString Describe(const std::map<const QWidget*, QString>& clipped) {
    QStringList out;
    for (const auto& [widget, text] : clipped) out << text;
    return out.join(" | ");
}

class LanguageTest : public test_fixture::GameWindowFixture {
protected:
    // As the program starts in Japanese.
    void SetUp() override {
        UseDesignFonts();
        ApplyLanguage(text::Language::Japanese);
    }
    void TearDown() override {
        window.reset();
        ApplyLanguage(text::Language::Japanese);
    }
    QStringList AllTexts(const TitleWindow& title) {
        return WindowTexts(window.get()) + WindowTexts(window->menuWindows().Ranking()) +
               WindowTexts(window->menuWindows().Version()) + WindowTexts(&title);
    }
    static QString YesButtonText() {
        QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text();
    }
};

// Japanese shows exactly today's texts; "English" changes every open window at once, keeps
// the game and stores the choice; "日本語" brings every text back as it was.
TEST_F(LanguageTest, SwitchingChangesEveryOpenWindowAndComesBackToTodaysJapanese) {
    Open();
    window->menuWindows().OpenRanking();
    window->menuWindows().OpenVersion();
    TitleWindow title(*state, dir.file("tower"));
    QStringList today;
    for (const char* text : kJapaneseTexts) today << QString::fromUtf8(text);
    const QStringList japanese = AllTexts(title);
    QString missing;
    EXPECT_TRUE(HoldsInOrder(japanese, today, &missing)) << missing.toStdString();
    EXPECT_TRUE(window->languageAction(0)->isChecked());
    EXPECT_FALSE(window->languageAction(1)->isChecked());
    const QString japaneseYes = YesButtonText();
    EXPECT_NE(japaneseYes, "&Yes");  // Qt's own Japanese texts are installed

    window->logic().Rot_Click(0);
    const Vec4 pos = state->PlayerPos;
    const Matrix4 orientation = state->Orientation;
    window->languageAction(1)->trigger();
    EXPECT_EQ(window->windowTitle().toStdString(), "4D maze — empty box");
    EXPECT_EQ(window->fileMenu()->title().toStdString(), "Maze");
    EXPECT_EQ(window->rotButton(4)->text().toStdString(), "Ana (S5)");
    EXPECT_EQ(window->houkouLabel(0)->text().toStdString(), "Facing +Y");
    EXPECT_EQ(window->goalLabel()->text().toStdString(), "none");
    EXPECT_EQ(window->autoCruiseAction()->text().toStdString(), "Auto cruise");
    EXPECT_EQ(window->menuWindows().Ranking()->windowTitle().toStdString(), "Best times");
    EXPECT_EQ(window->menuWindows().Ranking()->Label1(0)->text().toStdString(), "Easy");
    EXPECT_EQ(window->menuWindows().Version()->windowTitle().toStdString(), "About Kestrune");
    EXPECT_EQ(title.practiceButton()->text().toStdString(), "Practice");
    EXPECT_TRUE(window->languageAction(1)->isChecked());
    EXPECT_FALSE(window->languageAction(0)->isChecked());
    EXPECT_EQ(YesButtonText(), "&Yes");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Language", "?"), "en");
    EXPECT_EQ(state->PlayerPos, pos);
    EXPECT_EQ(state->Orientation, orientation);
    // No Japanese is left in any window but the names of the languages.
    for (const QString& text : AllTexts(title)) {
        if (text.endsWith(QString::fromUtf8("日本語"))) continue;
        for (const QChar c : text) EXPECT_LT(c.unicode(), 0x3000) << text.toStdString();
    }

    window->languageAction(0)->trigger();
    window->logic().Rot_Click(1);  // back to the start's pose: today's readout
    EXPECT_EQ(AllTexts(title), japanese);
    EXPECT_EQ(YesButtonText(), japaneseYes);
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Language", "?"), "ja");
}

// The animation items carry check marks like "座標を見る", not the radio dots of an
// exclusive group; one item stays checked whatever is clicked.
TEST_F(LanguageTest, AnimationItemsAreCheckMarksAndOneStaysChecked) {
    Open();
    for (int i = 0; i < 8; ++i) {
        const QActionGroup* group = window->animationAction(i)->actionGroup();
        EXPECT_TRUE(group == nullptr || !group->isExclusive()) << i;
    }
    window->animationAction(0)->trigger();
    window->animationAction(0)->trigger();  // the checked item again
    for (int i = 0; i < 8; ++i) EXPECT_EQ(window->animationAction(i)->isChecked(), i == 0) << i;
}

// Every caption fits its control in both languages at the creation size; in the narrow
// layout (which hides part of the panel and the view by design) English is cut nowhere
// Japanese is not.
TEST_F(LanguageTest, CaptionsFitTheirControlsInBothLanguages) {
    Open();
    window->menuWindows().OpenRanking();
    window->menuWindows().OpenVersion();
    TitleWindow title(*state, dir.file("tower"));
    title.show();
    // The widest readouts: a 4D goal, every coordinate 12, each axis ahead in turn; the
    // clear panel and "Please Wait" shown.
    window->logic().mnuFMJJigen_Click(3);
    window->logic().mnuFMMake_Click(1);
    window->SetClearPanelVisible(true);
    window->SetBusy(true);
    const QSize creation = window->size();
    const int goalHeadingLeft = 3120 / 15;
    std::map<text::Language, std::map<const QWidget*, QString>> narrowCut;
    for (const text::Language language : {text::Language::Japanese, text::Language::English}) {
        window->languageAction(language == text::Language::Japanese ? 0 : 1)->trigger();
        window->SetClearTimeCaption(ClearTimeCaption(3599));
        for (const bool narrow : {false, true}) {
            window->resize(narrow ? 400 : creation.width(), creation.height());
            QApplication::processEvents();
            ASSERT_EQ(window->OuterWidthTwips() < kNarrowWidthTwips, narrow);
            for (int turn = 0; turn < 12; ++turn) {
                state->PlayerPos = {16, 16, 16, 16};
                window->logic().Rot_Click(turn);
                auto cut = ClippedTexts(window.get());
                // The position readout grows to the right, up to the next text of the strip.
                const int end = window->positionLabel()->x() +
                                window->positionLabel()->fontMetrics().horizontalAdvance(
                                    window->positionLabel()->text());
                if (end > (narrow ? window->goalLabel()->x() : goalHeadingLeft))
                    cut[window->positionLabel()] =
                        "runs into the goal: " + window->positionLabel()->text();
                if (narrow)
                    narrowCut[language].insert(cut.begin(), cut.end());
                else
                    EXPECT_TRUE(cut.empty())
                        << text::LanguageCode(language) << ": " << Describe(cut).toStdString();
            }
        }
        // The tower ending's lines, at the creation size.
        window->resize(creation);
        QApplication::processEvents();
        ASSERT_TRUE(window->ShowEnding());
        const auto ending = ClippedTexts(window->clearPanel());
        EXPECT_TRUE(ending.empty())
            << text::LanguageCode(language) << ": " << Describe(ending).toStdString();
        for (const QWidget* other : {static_cast<QWidget*>(window->menuWindows().Ranking()),
                                     static_cast<QWidget*>(window->menuWindows().Version()),
                                     static_cast<QWidget*>(&title)}) {
            const auto cut = ClippedTexts(other);
            EXPECT_TRUE(cut.empty())
                << text::LanguageCode(language) << ": " << Describe(cut).toStdString();
        }
    }
    for (const auto& [widget, text] : narrowCut[text::Language::English])
        EXPECT_TRUE(narrowCut[text::Language::Japanese].count(widget))
            << "cut in English only: " << text.toStdString();
}

}  // namespace
}  // namespace kestrune::ui
