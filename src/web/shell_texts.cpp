#include "web/shell_texts.h"

#include "forms/layouts.h"
#include "game/shell.h"
#include "game/version.h"
#include "navigation/game_window_logic.h"
#include "navigation/key_bindings.h"
#include "navigation/menu_texts.h"
#include "text/catalogue.h"
#include "web/commands.h"
#include "web/json.h"
#include "web/services.h"

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

// A label; a readout's text is the game's, which the page keeps when the language changes.
void Label(JsonWriter& json, const std::string& id, const std::string& text, int left, int top,
           int width, int height, double points, bool bold, const char* align = "left",
           bool readout = false) {
    json.BeginObject().String("id", id).String("text", text);
    Place(json, left, top, width, height);
    json.Number("points", points).Bool("bold", bold).String("align", align);
    json.Bool("readout", readout).EndObject();
}

void Item(JsonWriter& json, const std::string& text, int command, int argument = 0,
          const std::string& id = "", const char* shortcut = "") {
    json.BeginObject().String("text", text).Number("command", command);
    json.Number("argument", argument).String("id", id).String("shortcut", shortcut).EndObject();
}

void Separator(JsonWriter& json) {
    json.BeginObject().Bool("separator", true).EndObject();
}

void Menus(JsonWriter& json, const std::string& autoCruiseCaption) {
    using namespace captions;
    json.BeginArray("menus");

    json.BeginObject().String("text", Tr(kMnuFile)).String("id", "mnuFile").BeginArray("items");
    json.BeginObject().String("text", Tr(kMnuRestart)).BeginArray("items");
    Item(json, Tr(kMnuFMStart), kCmdStart, 0, "mnuFMStart", "F5");
    Item(json, Tr(kMnuFMRe), kCmdRestart, 0, "mnuFMRe", "F6");
    Separator(json);
    Item(json, Tr(kMnuTowerRestart), kCmdTowerRestart, 0, "mnuTowerRestart");
    json.EndArray().EndObject();
    Separator(json);
    json.BeginObject().String("text", Tr(kMnuFMJigen)).String("id", "mnuFMJigen");
    json.BeginArray("items");
    for (int d = 1; d <= 3; ++d) {
        json.BeginObject().String("text", Tr(kDimensionNames[d]));
        json.String("id", "mnuDimension" + std::to_string(d));
        // Opening a dimension's submenu chooses that dimension.
        json.Number("openCommand", kCmdDimension).Number("openArgument", d);
        json.BeginArray("items");
        const std::string prefix = std::to_string(d);
        json.BeginObject().String("text", Tr(kMnuFigures)).String("id", "mnuFigures" + prefix);
        json.BeginArray("items");
        for (int f = 0; f < 2; ++f)
            Item(json, Tr(kFigureNames[f]), kCmdFigure, f,
                 "mnuFigure" + prefix + std::to_string(f));
        json.EndArray().EndObject();
        for (int level = 1; level <= 4; ++level)
            Item(json, Tr(kLevelNames[level]), kCmdMake, level,
                 "mnuLevel" + prefix + std::to_string(level));
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    Separator(json);
    Item(json, Tr(kMnuSetDirection), kCmdHint, 0, "mnuSetDirection");
    // Its caption is the auto cruise's state, which the rules set and read.
    Item(json, autoCruiseCaption, kCmdAutoCruise, 0, "mnuAutoClouse");
    Separator(json);
    Item(json, Tr(kMnuMazeNumber), kCmdMazeNumber, 0, "mnuMazeNumber");
    json.EndArray().EndObject();

    json.BeginObject().String("text", Tr(kMnuOther)).String("id", "mnuOther").BeginArray("items");
    json.BeginObject().String("text", Tr(kMnuZahyou)).Number("command", kCmdZahyou);
    json.String("id", "mnuZahyou").Bool("checkable", true).EndObject();
    json.BeginObject().String("text", Tr(kMnuMap)).Number("command", kCmdMap);
    json.String("id", "mnuMap").Bool("checkable", true).EndObject();
    json.BeginObject().String("text", Tr(kMnuFit)).Number("command", kCmdFit);
    json.String("id", "mnuFit").Bool("checkable", true).EndObject();
    Item(json, Tr(kMnuHRanking), kCmdRanking, 0, "mnuHRanking");
    json.BeginObject().String("text", Tr(kMnuSettings)).BeginArray("items");
    for (int i = 0; i < 8; ++i) {
        json.BeginObject().String("text", Tr(kAnimationNames[i])).Number("command", kCmdAnimation);
        json.Number("argument", i).String("id", "mnuAnimation" + std::to_string(i));
        json.Bool("checkable", true).EndObject();
    }
    json.EndArray().EndObject();
    Item(json, Tr(kMnuKeys), kCmdKeys, 0, "mnuKeys");
    Separator(json);
    // Records go out and come in as files only in the browser; the desktop keeps its file.
    json.BeginObject().String("text", Tr(kMnuExport)).Number("command", kCmdExport);
    json.String("id", "mnuExport").Bool("webOnly", true).EndObject();
    json.BeginObject().String("text", Tr(kMnuImport)).String("id", "mnuImport");
    json.Bool("chooseFile", true).Bool("webOnly", true).EndObject();
    Separator(json);
    for (int i = 0; i < 2; ++i) {
        json.BeginObject().String("text", kLanguageNames[i]).Number("command", kCmdLanguage);
        json.Number("argument", i).String("id", "mnuLanguage" + std::to_string(i));
        json.Bool("checkable", true);
        json.Bool("checked", text::CurrentLanguage() == kLanguages[static_cast<size_t>(i)]);
        json.EndObject();
    }
    json.EndArray().EndObject();

    json.BeginObject().String("text", Tr(kMnuHelp)).String("id", "mnuHelp").BeginArray("items");
    Item(json, Tr(kMnuHHelp), kCmdHelp, 0, "mnuHHelp");
    Item(json, Tr(kMnuHVarsion), kCmdVersion, 0, "mnuHVarsion");
    json.EndArray().EndObject();

    json.EndArray();
}

void Panel(JsonWriter& json) {
    using namespace captions;
    json.BeginArray("buttons");
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        const PanelActionInfo& info = kPanelActions[static_cast<size_t>(slot)];
        const bool step = info.action.kind == PanelAction::Kind::Step;
        json.BeginObject().String("id", PanelButtonId(slot)).String("text", Tr(info.caption));
        json.Number("command", step ? kCmdAhead : kCmdRot).Number("argument", info.action.index);
        const forms::ButtonPlace& p = forms::kButtonPlaces[static_cast<size_t>(slot)];
        Place(json, p.left, p.top, p.width, forms::kPanelButtonHeight);
        json.EndObject();
    }
    json.EndArray();

    // Readouts carry the game's texts; the page keeps them when the language changes.
    json.BeginArray("panelLabels");
    const char* planes[] = {"xy", "xz", "xw", "yz", "yw", "zw"};
    for (int i = 1; i <= 6; ++i)
        Label(json, "lblPlane" + std::to_string(i), planes[i - 1], 1560, 120 + 360 * i, 375, 255,
              12, true, "center");
    Label(json, "Label2", Tr(kLabel2), 0, 3240, 1935, 255, 12, true);
    struct HoukouDef {
        int index, left, top, width;
    };
    const HoukouDef houkou[] = {{0, 240, 3540, 1455}, {2, 600, 4020, 735}, {1, 120, 4260, 735},
                                {4, 1020, 4260, 735}, {5, 600, 4500, 735}, {3, 120, 4800, 1605},
                                {6, 120, 5100, 1575}};
    for (const HoukouDef& d : houkou)
        Label(json, "lblHoukou" + std::to_string(d.index), Tr(kLblHoukouDesign), d.left, d.top,
              d.width, 255, 9.75, true, d.index == 3 || d.index == 6 ? "center" : "left", true);
    // Right-aligned against the panel's right edge, so its last character is never cut.
    Label(json, "Label3", Tr(kLabel3), 1935 - 1455, 3780, 1455, 255, 9.75, true, "right");
    Label(json, "Label7", Tr(kLabel7), 0, 5340, 855, 375, 18, true);
    Label(json, "lbltime", "0:00", 720, 5640, 1095, 375, 18, true, "right", true);
    json.EndArray();
}

void Strip(JsonWriter& json) {
    json.BeginArray("stripLabels");
    Label(json, "lblZahyou", Tr(captions::kLblZahyouDesign), 0, 0, 1215, 285, 14.25, true, "left",
          true);
    Label(json, "Label6", Tr(captions::kLabel6), 3120, 0, 1215, 255, 14.25, true);
    Label(json, "lblGoal", "", 4440, 0, 2175, 375, 14.25, true, "left", true);
    json.EndArray();
}

void ClearPanel(JsonWriter& json) {
    json.BeginObject("clearPanel");
    json.Number("width", Px(5895)).Number("height", Px(2655));
    json.BeginObject("picEnding");
    Place(json, 120, 0, 5655, 2535);
    json.EndObject();
    json.BeginArray("labels");
    Label(json, "Label4", Tr(captions::kLabel4), 0, 0, 5775, 1335, 72, false, "center");
    // The lines are the game's once a clear time or the ending has replaced them.
    Label(json, "Label5_0", Tr(captions::kLabel5Great), 0, 1440, 5655, 375, 18, false, "center",
          true);
    Label(json, "Label5_1", Tr(captions::kLabel5ClearTime), 0, 1920, 5895, 375, 18, false, "center",
          true);
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
    json.BeginObject("label1").String("text", Tr(captions::kLabel1));
    Place(json, 0, 840, 855, 255);
    json.EndObject();
    json.BeginObject("cmdPractice").String("text", Tr(captions::kCmdPractice));
    Place(json, 1080, 120, 855, 1215);
    json.EndObject();
    json.EndObject();
}

}  // namespace

std::string PanelButtonId(int slot) {
    const PanelAction action = kPanelActions[static_cast<size_t>(slot)].action;
    return (action.kind == PanelAction::Kind::Step ? "Ahead" : "Rot") +
           std::to_string(action.index);
}

std::string ShellDescriptionJson(const std::string& autoCruiseCaption) {
    JsonWriter json;
    json.BeginObject();
    json.String("language", text::LanguageCode(text::CurrentLanguage()));
    json.String("caption", "Kestrune").String("wait", Tr(captions::kLblWait));
    json.String("map", Tr(captions::kMnuMap));
    json.BeginObject("commands");
    for (const CommandName& c : kCommandNames) json.Number(c.name, c.code);
    json.EndObject();
    Title(json);
    Menus(json, autoCruiseCaption);
    Panel(json);
    Strip(json);
    ClearPanel(json);
    json.EndObject();
    return json.Text();
}

std::string RankingWindowJson(const std::array<RankingCell, 12>& cells) {
    JsonWriter json;
    json.BeginObject().String("caption", Tr(captions::kRankingTitle));
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
    for (const captions::RankingHeader& h : captions::kRankingHeaders)
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
    json.BeginObject().String("caption", Tr(captions::kVersionTitle));
    json.Number("width", Px(2535)).Number("height", Px(3315));
    json.BeginObject("icon");
    Place(json, 540, 60, 1440, 1440);
    json.EndObject();
    json.BeginArray("labels");
    Label(json, "lblAppName", title, 945, 1560, 645, 240, 12, true, "center");
    Label(json, "lblVersion", version, 120, 1800, 2295, 225, 9, false, "center");
    Label(json, "lblAuthor", "Pelkin", 240, 2040, 2055, 195, 9.75, true, "center");
    json.EndArray();
    json.BeginArray("links");
    json.BeginObject().String("text", Tr(captions::kVersionMail));
    json.String("href", MailLink(title + version));
    Place(json, 120, 2280, 2295, 255);
    json.Number("points", 9).EndObject();
    json.BeginObject().String("text", Tr(captions::kVersionHomePage));
    json.String("href", HelpPageAddress());
    Place(json, 120, 2520, 2295, 255);
    json.Number("points", 11.25).EndObject();
    json.EndArray();
    json.BeginObject("ok").String("text", "OK");
    Place(json, 360, 2880, 1815, 375);
    json.EndObject();
    json.String("secretText", captions::kVersionSecretText)
        .String("secretTitle", Tr(captions::kVersionSecretTitle))
        .String("secretOk", Tr(kButtonOk));
    json.EndObject();
    return json.Text();
}

std::string KeySettingsJson(const KeyBindings& keys) {
    using namespace captions;
    JsonWriter json;
    json.BeginObject().String("caption", Tr(kKeySettingsTitle));
    json.BeginArray("columns");
    for (const char* column : kKeyColumns)
        json.BeginObject().String("text", Tr(column)).EndObject();
    json.EndArray();
    json.BeginArray("rows");
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        json.BeginObject().String("action", Tr(kPanelActions[static_cast<size_t>(slot)].name));
        json.String("keypad", KeypadKeyName(slot)).EndObject();
    }
    json.EndArray();
    KeyNamesJson(json, keys);
    json.String("hint", Tr(kKeySettingsHint)).String("defaults", Tr(kKeyDefaults));
    json.String("ok", Tr(kButtonOk)).String("cancel", Tr(kButtonCancel));
    json.EndObject();
    return json.Text();
}

void KeyNamesJson(JsonWriter& json, const KeyBindings& keys) {
    json.BeginArray("keys");
    for (int slot = 0; slot < kPanelActionCount; ++slot)
        json.BeginObject().String("text", KeyDisplayName(keys.Key(slot))).EndObject();
    json.EndArray();
}

std::string HelpPageAddress() {
    // In English at the page's English section, as on the desktop.
    const bool english = text::CurrentLanguage() == text::Language::English;
    return std::string(kHelpFileName) + (english ? "#en" : "");
}

}  // namespace kestrune::web
