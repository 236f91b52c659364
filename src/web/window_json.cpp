#include "web/window_json.h"

#include "forms/commands.h"
#include "forms/windows.h"
#include "game/links.h"
#include "game/version.h"
#include "navigation/game_window_logic.h"
#include "navigation/key_bindings.h"
#include "navigation/menu_texts.h"
#include "text/catalogue.h"
#include "web/json.h"
#include "web/services.h"

namespace kestrune::web {

using text::Tr;

namespace {

using forms::Align;
using forms::Control;
using forms::Kind;

constexpr int Px(int twips) {
    return twips / forms::kTwipsPerPixel;
}

const char* AlignName(Align align) {
    return align == Align::Center ? "center" : align == Align::Right ? "right" : "left";
}

// A control's caption in the current language.
std::string Caption(const char* caption, bool literal) {
    if (!caption) return {};
    return literal ? std::string(caption) : Tr(caption);
}

void Place(JsonWriter& json, const forms::Rect& r) {
    json.Number("left", Px(r.left)).Number("top", Px(r.top));
    json.Number("width", Px(r.width)).Number("height", Px(r.height));
}

// A label; a readout's text is the game's, which the page keeps when the language changes.
void Label(JsonWriter& json, const Control& c, const std::string& id, const std::string& text) {
    json.BeginObject().String("id", id).String("text", text);
    Place(json, c.rect);
    json.Number("points", c.points).Bool("bold", c.bold).String("align", AlignName(c.align));
    json.Bool("readout", c.readout).EndObject();
}

void Label(JsonWriter& json, const Control& c) {
    Label(json, c, c.id, Caption(c.caption, c.literal));
}

void Menu(JsonWriter& json, const forms::MenuItem& item, const std::string& autoCruiseCaption) {
    json.BeginObject();
    if (item.separator) {
        json.Bool("separator", true).EndObject();
        return;
    }
    // The auto cruise item's caption is its state, which the rules set and read.
    const bool autoCruise = item.command == kCmdAutoCruise;
    json.String("text", autoCruise ? autoCruiseCaption : Caption(item.caption, item.literal));
    if (!item.items.empty()) {
        json.String("id", item.id);
        if (item.openCommand != kCmdNone)
            json.Number("openCommand", item.openCommand).Number("openArgument", item.openArgument);
        json.BeginArray("items");
        for (const forms::MenuItem& child : item.items) Menu(json, child, autoCruiseCaption);
        json.EndArray().EndObject();
        return;
    }
    json.String("id", item.id);
    if (!item.chooseFile) json.Number("command", item.command).Number("argument", item.argument);
    if (!item.shortcut.empty()) json.String("shortcut", item.shortcut);
    if (item.checkable) json.Bool("checkable", true);
    if (item.command == kCmdLanguage)
        json.Bool("checked", text::CurrentLanguage() ==
                                 captions::kLanguages[static_cast<size_t>(item.argument)]);
    if (item.chooseFile) json.Bool("chooseFile", true);
    if (item.webOnly) json.Bool("webOnly", true);
    json.EndObject();
}

void Menus(JsonWriter& json, const std::string& autoCruiseCaption) {
    json.BeginArray("menus");
    for (const forms::MenuItem& menu : forms::GameMenus()) Menu(json, menu, autoCruiseCaption);
    json.EndArray();
}

void Panel(JsonWriter& json) {
    const forms::Form& form = forms::GameForm();
    json.BeginArray("buttons");
    for (const Control* c : form.Children("picCon")) {
        if (c->kind != Kind::Button) continue;
        json.BeginObject().String("id", c->id).String("text", Caption(c->caption, c->literal));
        json.Number("command", c->command).Number("argument", c->argument);
        Place(json, c->rect);
        json.EndObject();
    }
    json.EndArray();
    // Readouts carry the game's texts; the page keeps them when the language changes.
    json.BeginArray("panelLabels");
    for (const Control* c : form.Children("picCon"))
        if (c->kind == Kind::Label) Label(json, *c);
    json.EndArray();
}

void Strip(JsonWriter& json) {
    json.BeginArray("stripLabels");
    for (const Control* c : forms::GameForm().Children("picture2")) Label(json, *c);
    json.EndArray();
}

void ClearPanel(JsonWriter& json) {
    const forms::Form& form = forms::ClearPanelForm();
    json.BeginObject("clearPanel");
    json.Number("width", Px(form.width)).Number("height", Px(form.height));
    json.BeginObject("picEnding");
    Place(json, form.Find("picEnding").rect);
    json.EndObject();
    json.BeginArray("labels");
    for (const Control* c : form.Children("picEnding")) Label(json, *c);
    json.EndArray();
    json.EndObject();
}

void Title(JsonWriter& json) {
    const forms::Form& form = forms::TitleForm();
    json.BeginObject("title");
    json.String("caption", form.caption).Number("width", Px(form.width));
    json.Number("height", Px(form.height));
    for (const char* id : {"cmdTower", "picture1", "label1", "cmdPractice"}) {
        const Control& c = form.Find(id);
        json.BeginObject(id);
        if (c.caption) json.String("text", Caption(c.caption, c.literal));
        Place(json, c.rect);
        json.EndObject();
    }
    json.EndObject();
}

}  // namespace

std::string WindowDescriptionJson(const std::string& autoCruiseCaption) {
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
    const forms::Form& form = forms::RankingForm();
    JsonWriter json;
    json.BeginObject().String("caption", Tr(form.caption));
    json.Number("width", Px(form.width)).Number("height", Px(form.height));
    json.BeginArray("labels");
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::string n = std::to_string(i);
        Label(json, form.Find("lblName" + n), "lblName" + n, cells[i].name);
        Label(json, form.Find("lblTime" + n), "lblTime" + n, cells[i].time);
    }
    for (const Control& c : form.controls)
        if (c.kind == Kind::Label && !c.readout) Label(json, c, "", Caption(c.caption, c.literal));
    json.EndArray();
    json.BeginArray("lines");
    for (const Control& c : form.controls) {
        if (c.kind != Kind::Line) continue;
        const forms::Rect& r = c.rect;
        json.BeginObject().Number("x1", Px(r.left)).Number("y1", Px(r.top));
        json.Number("x2", Px(r.left + r.width)).Number("y2", Px(r.top + r.height)).EndObject();
    }
    json.EndArray();
    json.BeginArray("boxes");
    for (const Control& c : form.controls) {
        if (c.kind != Kind::Box) continue;
        json.BeginObject();
        Place(json, c.rect);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

std::string VersionWindowJson() {
    const forms::Form& form = forms::VersionForm();
    const std::string title = "Kestrune";
    const std::string version = VersionText(CurrentVersion());
    JsonWriter json;
    json.BeginObject().String("caption", Tr(form.caption));
    json.Number("width", Px(form.width)).Number("height", Px(form.height));
    json.BeginObject("icon");
    Place(json, form.Find("imgIcon").rect);
    json.EndObject();
    json.BeginArray("labels");
    Label(json, form.Find("lblAppName"), "lblAppName", title);
    Label(json, form.Find("lblVersion"), "lblVersion", version);
    Label(json, form.Find("lblAuthor"));
    json.EndArray();
    json.BeginArray("links");
    for (const Control& c : form.controls) {
        if (c.kind != Kind::Link) continue;
        json.BeginObject().String("text", Caption(c.caption, c.literal));
        // The mail's subject names the program and its version.
        json.String("href", c.id == "Label2" ? MailLink(title + version) : HelpPageAddress());
        Place(json, c.rect);
        json.Number("points", c.points).EndObject();
    }
    json.EndArray();
    const Control& ok = form.Find("Command1");
    json.BeginObject("ok").String("text", Caption(ok.caption, ok.literal));
    Place(json, ok.rect);
    json.Number("points", ok.points);
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
