#include "web/shell_texts.h"

#include "game/shell.h"
#include "game/version.h"
#include "navigation/game_window_logic.h"
#include "text/catalogue.h"
#include "web/commands.h"
#include "web/json.h"

namespace kestrune::web {

using text::Tr;

namespace {

constexpr int Px(int twips) {
    return twips / 15;
}

// A control placed in twips, as the desktop's windows are designed.
void Place(JsonWriter& json, int left, int top, int width, int height) {
    json.Number("left", Px(left)).Number("top", Px(top));
    json.Number("width", Px(width)).Number("height", Px(height));
}

void Label(JsonWriter& json, const std::string& id, const std::string& text, int left, int top,
           int width, int height, double points, bool bold, const char* align = "left") {
    json.BeginObject().String("id", id).String("text", text);
    Place(json, left, top, width, height);
    json.Number("points", points).Bool("bold", bold).String("align", align).EndObject();
}

void Item(JsonWriter& json, const std::string& text, int command, int argument = 0,
          const std::string& id = "", const char* shortcut = "") {
    json.BeginObject().String("text", text).Number("command", command);
    json.Number("argument", argument).String("id", id).String("shortcut", shortcut).EndObject();
}

void Separator(JsonWriter& json) {
    json.BeginObject().Bool("separator", true).EndObject();
}

void Menus(JsonWriter& json) {
    json.BeginArray("menus");

    json.BeginObject().String("text", Tr("迷路")).String("id", "mnuFile").BeginArray("items");
    json.BeginObject().String("text", Tr("リスタート")).BeginArray("items");
    Item(json, Tr("スタート地点に戻る"), kCmdStart, 0, "mnuFMStart", "F5");
    Item(json, Tr("同じ条件でもう一度"), kCmdRestart, 0, "mnuFMRe", "F6");
    json.EndArray().EndObject();
    Separator(json);
    json.BeginObject().String("text", Tr("作成")).String("id", "mnuFMJigen").BeginArray("items");
    const char* dimensions[] = {"", "2次元", "3次元", "4次元"};
    for (int d = 1; d <= 3; ++d) {
        json.BeginObject().String("text", Tr(dimensions[d]));
        json.String("id", "mnuDimension" + std::to_string(d));
        // Opening a dimension's submenu chooses that dimension.
        json.Number("openCommand", kCmdDimension).Number("openArgument", d);
        json.BeginArray("items");
        const std::string prefix = std::to_string(d);
        json.BeginObject().String("text", Tr("図形")).String("id", "mnuFigures" + prefix);
        json.BeginArray("items");
        Item(json, Tr("ブランク"), kCmdFigure, 0, "mnuFigure" + prefix + "0");
        Item(json, Tr("球"), kCmdFigure, 1, "mnuFigure" + prefix + "1");
        json.EndArray().EndObject();
        for (int level = 1; level <= 4; ++level)
            Item(json, Tr(kLevelNames[level]), kCmdMake, level,
                 "mnuLevel" + prefix + std::to_string(level));
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    Separator(json);
    Item(json, Tr("ヒント（ゴール方向を向く）"), kCmdHint, 0, "mnuSetDirection");
    Item(json, Tr(kAutoCruiseIdle), kCmdAutoCruise, 0, "mnuAutoClouse");
    json.EndArray().EndObject();

    json.BeginObject().String("text", Tr("その他")).String("id", "mnuOther").BeginArray("items");
    json.BeginObject().String("text", Tr("座標を見る")).Number("command", kCmdZahyou);
    json.String("id", "mnuZahyou").Bool("checkable", true).EndObject();
    Item(json, Tr("ランキング表"), kCmdRanking, 0, "mnuHRanking");
    json.BeginObject().String("text", Tr("設定")).BeginArray("items");
    const char* animationNames[] = {
        "アニメーション無し", "1段階", "2段階", "4段階", "8段階", "16段階", "32段階", "64段階"};
    for (int i = 0; i < 8; ++i) {
        json.BeginObject().String("text", Tr(animationNames[i])).Number("command", kCmdAnimation);
        json.Number("argument", i).String("id", "mnuAnimation" + std::to_string(i));
        json.Bool("checkable", true).EndObject();
    }
    json.EndArray().EndObject();
    Separator(json);
    // The browser keeps the records in its own storage: these carry them to and from a file.
    Item(json, Tr("記録を書き出す…"), kCmdExport, 0, "mnuExport");
    json.BeginObject().String("text", Tr("記録を読み込む…")).String("id", "mnuImport");
    json.Bool("chooseFile", true).EndObject();
    Separator(json);
    // Each language's name in its own language.
    Item(json, "日本語", kCmdLanguage, 0, "mnuLanguage0");
    Item(json, "English", kCmdLanguage, 1, "mnuLanguage1");
    json.EndArray().EndObject();

    json.BeginObject().String("text", Tr("ヘルプ")).String("id", "mnuHelp").BeginArray("items");
    Item(json, Tr("ヘルプ"), kCmdHelp, 0, "mnuHHelp");
    Item(json, Tr("バージョン情報"), kCmdVersion, 0, "mnuHVarsion");
    json.EndArray().EndObject();

    json.EndArray();
}

void Panel(JsonWriter& json) {
    struct ButtonDef {
        bool ahead;
        int index;
        const char* caption;
        int left, top, width;
    };
    const ButtonDef buttons[] = {
        {true, 0, "前進(5)", 0, 120, 1575},      {false, 0, "左(4)", 0, 480, 795},
        {false, 1, "右(6)", 780, 480, 795},      {false, 2, "上(8)", 0, 840, 795},
        {false, 3, "下(2)", 780, 840, 795},      {false, 4, "奥未(S5)", 0, 1200, 795},
        {false, 5, "奥過(S0)", 780, 1200, 795},  {false, 6, "左振(7)", 0, 1560, 795},
        {false, 7, "右振(9)", 780, 1560, 795},   {false, 8, "左未(S4)", 0, 1920, 795},
        {false, 9, "右未(S6)", 780, 1920, 795},  {false, 10, "上未(S8)", 0, 2280, 795},
        {false, 11, "下未(S2)", 780, 2280, 795}, {true, 1, "後退(2)", 0, 2640, 1575},
    };
    json.BeginArray("buttons");
    for (const ButtonDef& b : buttons) {
        json.BeginObject().String("text", Tr(b.caption));
        json.Number("command", b.ahead ? kCmdAhead : kCmdRot).Number("argument", b.index);
        Place(json, b.left, b.top, b.width, 375);
        json.EndObject();
    }
    json.EndArray();

    json.BeginArray("panelLabels");
    const char* planes[] = {"xy", "xz", "xw", "yz", "yw", "zw"};
    for (int i = 1; i <= 6; ++i)
        Label(json, "", planes[i - 1], 1560, 120 + 360 * i, 375, 255, 12, true, "center");
    Label(json, "", Tr("方向"), 0, 3240, 735, 255, 12, true);
    struct HoukouDef {
        int index, left, top, width;
    };
    const HoukouDef houkou[] = {{0, 240, 3540, 1455}, {2, 600, 4020, 735}, {1, 120, 4260, 735},
                                {4, 1020, 4260, 735}, {5, 600, 4500, 735}, {3, 120, 4800, 1605},
                                {6, 120, 5100, 1575}};
    for (const HoukouDef& d : houkou)
        Label(json, "lblHoukou" + std::to_string(d.index), Tr("＋方向"), d.left, d.top, d.width,
              255, 9.75, true, d.index == 3 || d.index == 6 ? "center" : "left");
    Label(json, "", Tr("を向いています。"), 540, 3780, 1455, 255, 9.75, true, "right");
    Label(json, "", "Time", 0, 5340, 855, 375, 18, true);
    Label(json, "lbltime", "0:00", 720, 5640, 1095, 375, 18, true, "right");
    json.EndArray();
}

void Strip(JsonWriter& json) {
    json.BeginArray("stripLabels");
    Label(json, "lblZahyou", Tr("現在地は"), 0, 0, 1215, 285, 14.25, true);
    Label(json, "Label6", Tr("ゴールは"), 3120, 0, 1215, 255, 14.25, true);
    Label(json, "lblGoal", "", 4440, 0, 2175, 375, 14.25, true);
    json.EndArray();
}

void ClearPanel(JsonWriter& json) {
    json.BeginObject("clearPanel");
    json.Number("width", Px(5895)).Number("height", Px(2655));
    json.BeginObject("picEnding");
    Place(json, 120, 0, 5655, 2535);
    json.EndObject();
    json.BeginArray("labels");
    Label(json, "Label4", "CLEAR!!", 0, 0, 5775, 1335, 72, false, "center");
    Label(json, "Label5_0", "You are great!!", 0, 1440, 5655, 375, 18, false, "center");
    Label(json, "Label5_1", "Clear time", 0, 1920, 5895, 375, 18, false, "center");
    json.EndArray();
    json.EndObject();
}

void Title(JsonWriter& json) {
    json.BeginObject("title");
    json.String("caption", "Kestrune").Number("width", Px(2085)).Number("height", Px(1455));
    json.BeginObject("cmdTower");
    Place(json, 120, 120, 855, 1215);
    json.EndObject().BeginObject("picture1");
    Place(json, 180, 180, 720, 1035);
    json.EndObject();
    json.BeginObject("label1").String("text", Tr("塔に登る"));
    Place(json, 0, 840, 855, 255);
    json.EndObject();
    json.BeginObject("cmdPractice").String("text", Tr("練習"));
    Place(json, 1080, 120, 855, 1215);
    json.EndObject();
    json.EndObject();
}

}  // namespace

std::string ShellDescriptionJson() {
    JsonWriter json;
    json.BeginObject();
    json.String("language", text::CurrentLanguage() == text::Language::English ? "en" : "ja");
    json.String("caption", "Kestrune").String("wait", "Please Wait");
    Title(json);
    Menus(json);
    Panel(json);
    Strip(json);
    ClearPanel(json);
    json.EndObject();
    return json.Text();
}

std::string RankingWindowJson(const std::array<RankingCell, 12>& cells) {
    struct Header {
        const char* text;
        int left, top;
    };
    // Indexed as the table's labels are: the rows are not in index order.
    const Header headers[] = {{"初級", 1200, 240},  {"中級", 2160, 240},  {"上級", 3120, 240},
                              {"特級", 4080, 240},  {"２次元", 240, 720}, {"４次元", 240, 1920},
                              {"３次元", 240, 1320}};
    JsonWriter json;
    json.BeginObject().String("caption", Tr("ランキング表"));
    json.Number("width", Px(5055)).Number("height", Px(2385));
    json.BeginArray("labels");
    for (size_t i = 0; i < cells.size(); ++i) {
        const int left = 1200 + 960 * static_cast<int>(i % 4);
        const int row = static_cast<int>(i / 4);
        Label(json, "lblName" + std::to_string(i), cells[i].name, left, 600 + 600 * row, 735, 255,
              9, false);
        Label(json, "lblTime" + std::to_string(i), cells[i].time, left, 840 + 600 * row, 735, 255,
              9, false, "right");
    }
    for (const Header& h : headers)
        Label(json, "", Tr(h.text), h.left, h.top, 735, 255, 9, false, "center");
    json.EndArray();
    json.BeginArray("lines");
    auto line = [&](int x1, int y1, int x2, int y2) {
        json.BeginObject().Number("x1", Px(x1)).Number("y1", Px(y1));
        json.Number("x2", Px(x2)).Number("y2", Px(y2)).EndObject();
    };
    for (int x : {2040, 3000, 3960}) line(x, 120, x, 2280);
    line(120, 120, 1080, 480);
    json.EndArray();
    json.BeginArray("boxes");
    auto box = [&](int left, int top, int width, int height) {
        json.BeginObject();
        Place(json, left, top, width, height);
        json.EndObject();
    };
    box(120, 120, 975, 375);
    box(120, 480, 4815, 1815);
    box(1080, 120, 3855, 2175);
    box(120, 1080, 4815, 615);
    json.EndArray();
    json.EndObject();
    return json.Text();
}

std::string VersionWindowJson() {
    const std::string title = "Kestrune";
    const std::string version = VersionText(CurrentVersion());
    JsonWriter json;
    json.BeginObject().String("caption", Tr("バージョン情報"));
    json.Number("width", Px(2535)).Number("height", Px(3315));
    json.BeginObject("icon");
    Place(json, 540, 60, 1440, 1440);
    json.EndObject();
    json.BeginArray("labels");
    Label(json, "lblAppName", title, 945, 1560, 645, 240, 12, true, "center");
    Label(json, "lblVersion", version, 120, 1800, 2295, 225, 9, false, "center");
    Label(json, "Label3", "Pelkin", 240, 2040, 2055, 195, 9.75, true, "center");
    json.EndArray();
    json.BeginArray("links");
    json.BeginObject().String("text", "Send Mail ").String("href", MailLink(title + version));
    Place(json, 120, 2280, 2295, 255);
    json.Number("points", 9).EndObject();
    json.BeginObject().String("text", "Visit Home Page").String("href", HelpPageAddress());
    Place(json, 120, 2520, 2295, 255);
    json.Number("points", 11.25).EndObject();
    json.EndArray();
    json.BeginObject("ok").String("text", "OK");
    Place(json, 360, 2880, 1815, 375);
    json.EndObject();
    // The hidden message of the OK button's other mouse buttons.
    json.String("secretText", "Version 9 Brenvik")
        .String("secretTitle", Tr("バージョン情報表示フォーム"));
    json.EndObject();
    return json.Text();
}

std::string HelpPageAddress() {
    return kHelpFileName;
}

}  // namespace kestrune::web
