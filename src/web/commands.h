// The commands the page queues for the game: clicks, keys, menu items, resizes. Codes are
// shared with web/commands.js.
#pragma once

namespace kestrune::web {

enum Command : int {
    kCmdChoose = 1,       // the title window's choice: 0 practice, 1 tower
    kCmdRot = 2,          // panel button, Rot_Click(argument)
    kCmdAhead = 3,        // panel button, Ahead_Click(argument)
    kCmdKey = 4,          // keypad digit + 10 when modified
    kCmdStart = 5,        // "スタート地点に戻る" (F5)
    kCmdRestart = 6,      // "同じ条件でもう一度" from the menu
    kCmdRestartKey = 7,   // F6
    kCmdDimension = 8,    // a dimension's submenu opened: 1..3
    kCmdMake = 9,         // a level chosen: 1..4
    kCmdFigure = 10,      // a figure chosen: 0 blank, 1 ball
    kCmdHint = 11,        // "ヒント（ゴール方向を向く）"
    kCmdAutoCruise = 12,  // "オートクルーズ"
    kCmdZahyou = 13,      // "座標を見る"
    kCmdRanking = 14,     // "ランキング表"
    kCmdAnimation = 15,   // animation setting 0..7
    kCmdHelp = 16,        // "ヘルプ"
    kCmdVersion = 17,     // "バージョン情報"
    kCmdClearClick = 18,  // a click on the clear panel
    kCmdResize = 19,      // the browser window changed size
    kCmdImport = 20,      // records chosen by the player; the text rides along
    kCmdExport = 21,      // records to download
    kCmdLanguage = 22,    // 0 Japanese, 1 English
    kCmdNamedKey = 23,    // a main-keyboard key by its name (the text)
    kCmdKeys = 24,        // "キー設定…"
    kCmdMazeNumber = 25,  // "迷路番号…"
    kCmdOpenLink = 26,    // the page's address names a maze ("#maze=CODE", the text)
    // "塔を1階からやり直す…"
    kCmdTowerRestart = 27,
    kCmdMap = 28,  // "地図": 0 the menu item (on or off), 1 the map panel's close box
};

}  // namespace kestrune::web
