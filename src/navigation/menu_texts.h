// The captions of the game's windows (menus, labels, buttons) as source texts, shared by the
// desktop and the browser: each shell shows them through text::Tr, so the same catalogue
// entry serves both.
#pragma once

#include <array>

#include "text/catalogue.h"

namespace kestrune::captions {

using text::TrMark;

// The game window's menus, named after their items. The level names are kLevelNames
// (game_window_logic.h), which the practice captions use too.
inline constexpr const char* kMnuFile = TrMark("迷路");
inline constexpr const char* kMnuRestart = TrMark("リスタート");
inline constexpr const char* kMnuFMStart = TrMark("スタート地点に戻る");
inline constexpr const char* kMnuFMRe = TrMark("同じ条件でもう一度");
inline constexpr const char* kMnuFMJigen = TrMark("作成");
// Starts the tower again from floor 1, after a confirmation (the tower progress is removed).
inline constexpr const char* kMnuTowerRestart = TrMark("塔を1階からやり直す…");
inline constexpr const char* kDimensionNames[4] = {"", TrMark("2次元"), TrMark("3次元"),
                                                   TrMark("4次元")};
inline constexpr const char* kMnuFigures = TrMark("図形");
inline constexpr const char* kFigureNames[2] = {TrMark("ブランク"), TrMark("球")};
// "迷路番号…" and its box: the current maze's code to copy, and a field to build a code's maze.
inline constexpr const char* kMnuMazeNumber = TrMark("迷路番号…");
inline constexpr const char* kMazeNumberTitle = TrMark("迷路番号");
inline constexpr const char* kMazeNumberCurrent = TrMark("この迷路の番号：");
inline constexpr const char* kMazeNumberNone = TrMark("図形の空間には迷路番号はありません。");
inline constexpr const char* kMazeNumberCopy = TrMark("コピー");
inline constexpr const char* kMazeNumberCopyLink = TrMark("リンクをコピー");
inline constexpr const char* kMazeNumberEntry =
    TrMark("迷路番号を入力すると、その迷路を作ります：");
inline constexpr const char* kMazeNumberBuild = TrMark("この迷路を作る");
inline constexpr const char* kMazeNumberClose = TrMark("閉じる");
inline constexpr const char* kMnuSetDirection = TrMark("ヒント（ゴール方向を向く）");
inline constexpr const char* kMnuOther = TrMark("その他");
inline constexpr const char* kMnuZahyou = TrMark("座標を見る");
// The map of explored cells: the menu item and its window's title.
inline constexpr const char* kMnuMap = TrMark("地図");
// The window's parts scaled to its size instead of the design's size.
inline constexpr const char* kMnuFit = TrMark("画面に合わせる");
inline constexpr const char* kMnuHRanking = TrMark("ランキング表");
inline constexpr const char* kMnuSettings = TrMark("設定");
inline constexpr const char* kAnimationNames[8] = {TrMark("アニメーション無し"),
                                                   TrMark("1段階"),
                                                   TrMark("2段階"),
                                                   TrMark("4段階"),
                                                   TrMark("8段階"),
                                                   TrMark("16段階"),
                                                   TrMark("32段階"),
                                                   TrMark("64段階")};
inline constexpr const char* kMnuKeys = TrMark("キー設定…");
// The key settings dialog: its caption, its columns, the hint and the defaults button.
inline constexpr const char* kKeySettingsTitle = TrMark("キー設定");
inline constexpr const char* kKeyColumns[3] = {TrMark("操作"), TrMark("テンキー"),
                                               TrMark("キーボード")};
inline constexpr const char* kKeySettingsHint =
    TrMark("キーボードの欄をクリックしてから、新しいキーを押してください。");
inline constexpr const char* kKeyDefaults = TrMark("既定に戻す");
// The browser keeps the records in its own storage; these items carry them to and from a file.
inline constexpr const char* kMnuExport = TrMark("記録を書き出す…");
inline constexpr const char* kMnuImport = TrMark("記録を読み込む…");
// Each language in its own words, never translated, so that a player finds the one they read.
inline constexpr std::array<text::Language, 2> kLanguages = {text::Language::Japanese,
                                                             text::Language::English};
inline constexpr const char* kLanguageNames[2] = {"日本語", "English"};
inline constexpr const char* kMnuHelp = TrMark("ヘルプ");
inline constexpr const char* kMnuHHelp = TrMark("ヘルプ");
inline constexpr const char* kMnuHVarsion = TrMark("バージョン情報");

// The game window's labels. The design captions stand until the first readout replaces them.
inline constexpr const char* kLblWait = TrMark("Please Wait");
inline constexpr const char* kLblZahyouDesign = TrMark("現在地は");
inline constexpr const char* kLabel6 = TrMark("ゴールは");
inline constexpr const char* kLabel2 = TrMark("方向");
inline constexpr const char* kLblHoukouDesign = TrMark("＋方向");
inline constexpr const char* kLabel3 = TrMark("を向いています。");
inline constexpr const char* kLabel7 = TrMark("Time");

// The clear panel: its heading and, until a clear time or the ending replaces them, its lines.
inline constexpr const char* kLabel4 = TrMark("CLEAR!!");
inline constexpr const char* kLabel5Great = TrMark("You are great!!");
inline constexpr const char* kLabel5ClearTime = TrMark("Clear time");

// The title window.
inline constexpr const char* kLabel1 = TrMark("塔に登る");
inline constexpr const char* kCmdPractice = TrMark("練習");

// The ranking window: its caption and the table's headers, placed in twips and indexed as the
// table's labels are (the rows are not in index order).
inline constexpr const char* kRankingTitle = TrMark("ランキング表");
struct RankingHeader {
    const char* text;
    int left;
    int top;
};
inline constexpr std::array<RankingHeader, 7> kRankingHeaders = {{
    {TrMark("初級"), 1200, 240},
    {TrMark("中級"), 2160, 240},
    {TrMark("上級"), 3120, 240},
    {TrMark("特級"), 4080, 240},
    {TrMark("２次元"), 240, 720},
    {TrMark("４次元"), 240, 1920},
    {TrMark("３次元"), 240, 1320},
}};

// The About box. Its title's design caption stands until the program's title replaces it.
inline constexpr const char* kVersionTitle = TrMark("バージョン情報");
inline constexpr const char* kLblAppNameDesign = TrMark("テスト");
inline constexpr const char* kVersionMail = TrMark("Send Mail ");
inline constexpr const char* kVersionHomePage = TrMark("Visit Home Page");
// The hidden message of the OK button's other mouse buttons.
inline constexpr const char* kVersionSecretText = "Version 9 Brenvik";
inline constexpr const char* kVersionSecretTitle = TrMark("バージョン情報表示フォーム");

}  // namespace kestrune::captions
