// The commands the page queues for the game: clicks, keys, menu items, resizes. The page
// learns the codes by name from kCommandNames, sent with the description at start, so this is
// the only place that numbers them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

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
    kCmdResize = 19,      // the browser window changed size or pixel density
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
    kCmdFit = 29,  // "画面に合わせる"
    kCmdEnd        // one past the last; a new command goes above
};

struct CommandName {
    std::string_view name;  // the page's name for it
    Command code;
};

// Every command by the name the page uses, in code order.
inline constexpr std::array<CommandName, kCmdEnd - 1> kCommandNames = {{
    {"choose", kCmdChoose},
    {"rot", kCmdRot},
    {"ahead", kCmdAhead},
    {"key", kCmdKey},
    {"start", kCmdStart},
    {"restart", kCmdRestart},
    {"restartKey", kCmdRestartKey},
    {"dimension", kCmdDimension},
    {"make", kCmdMake},
    {"figure", kCmdFigure},
    {"hint", kCmdHint},
    {"autoCruise", kCmdAutoCruise},
    {"zahyou", kCmdZahyou},
    {"ranking", kCmdRanking},
    {"animation", kCmdAnimation},
    {"help", kCmdHelp},
    {"version", kCmdVersion},
    {"clearClick", kCmdClearClick},
    {"resize", kCmdResize},
    {"import", kCmdImport},
    {"export", kCmdExport},
    {"language", kCmdLanguage},
    {"namedKey", kCmdNamedKey},
    {"keys", kCmdKeys},
    {"mazeNumber", kCmdMazeNumber},
    {"openLink", kCmdOpenLink},
    {"towerRestart", kCmdTowerRestart},
    {"map", kCmdMap},
    {"fit", kCmdFit},
}};

// A command added to the enum without its name fails here (the array would hold an empty
// entry): the codes run 1, 2, … in order.
constexpr bool CommandNamesInCodeOrder() {
    for (std::size_t i = 0; i < kCommandNames.size(); ++i)
        if (kCommandNames[i].code != static_cast<int>(i) + 1) return false;
    return true;
}
static_assert(CommandNamesInCodeOrder());

// The page finds a command by its name: two commands never share one.
constexpr bool CommandNamesDistinct() {
    for (std::size_t i = 0; i < kCommandNames.size(); ++i)
        for (std::size_t j = i + 1; j < kCommandNames.size(); ++j)
            if (kCommandNames[i].name == kCommandNames[j].name) return false;
    return true;
}
static_assert(CommandNamesDistinct());

}  // namespace kestrune::web
