#include "forms/windows.h"

#include <cstdlib>

#include "forms/layouts.h"
#include "navigation/game_window_logic.h"
#include "navigation/key_bindings.h"
#include "navigation/menu_texts.h"

namespace kestrune::forms {

namespace {

Control Text(std::string id, std::string parent, Rect rect, double points, bool bold,
             const char* caption, Align align = Align::Left) {
    Control c;
    c.id = std::move(id);
    c.parent = std::move(parent);
    c.rect = rect;
    c.points = points;
    c.bold = bold;
    c.caption = caption;
    c.align = align;
    return c;
}

Control Readout(std::string id, std::string parent, Rect rect, double points, bool bold,
                const char* caption, Align align = Align::Left) {
    Control c = Text(std::move(id), std::move(parent), rect, points, bold, caption, align);
    c.readout = true;
    return c;
}

Control Of(Kind kind, std::string id, std::string parent, Rect rect) {
    Control c;
    c.kind = kind;
    c.id = std::move(id);
    c.parent = std::move(parent);
    c.rect = rect;
    return c;
}

Form MakeTitle() {
    Form f{"frmTitle", "Kestrune", true, 2085, 1455, {}};
    Control tower = Of(Kind::Button, "cmdTower", "", {120, 120, 855, 1215});
    tower.command = kCmdChoose;
    tower.argument = 1;
    f.controls.push_back(tower);
    // The tower picture with its label sits over the tower button; clicking it is the same.
    f.controls.push_back(Of(Kind::Picture, "picture1", "", {180, 180, 720, 1035}));
    f.controls.push_back(
        Text("label1", "picture1", {0, 840, 855, 255}, 0, false, captions::kLabel1));
    Control practice = Of(Kind::Button, "cmdPractice", "", {1080, 120, 855, 1215});
    practice.caption = captions::kCmdPractice;
    practice.command = kCmdChoose;
    f.controls.push_back(practice);
    return f;
}

Form MakeGame() {
    Form f{"Form1", "Kestrune", true, 8610, 6615, {}};
    f.controls.push_back(Of(Kind::Picture, "picture1", "", {0, 0, 6675, 6255}));
    // Placed in the view's middle by the layout; its size is in the view's pixels.
    f.controls.push_back(Text("lblWait", "picture1", {0, 0, 193 * 15, 41 * 15}, 18, true,
                              captions::kLblWait, Align::Center));

    f.controls.push_back(Of(Kind::Panel, "picture2", "", {0, 6240, 6675, 375}));
    f.controls.push_back(Readout("lblZahyou", "picture2", {0, 0, 1215, 285}, 14.25, true,
                                 captions::kLblZahyouDesign));
    f.controls.push_back(
        Text("Label6", "picture2", {3120, 0, 1215, 255}, 14.25, true, captions::kLabel6));
    f.controls.push_back(Readout("lblGoal", "picture2", {4440, 0, 2175, 375}, 14.25, true, ""));

    f.controls.push_back(Of(Kind::Line, "Line1", "", {0, 0, 8610, 0}));

    f.controls.push_back(Of(Kind::Panel, "picCon", "", {6720, 120, 1935, 6135}));
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        const PanelActionInfo& info = kPanelActions[static_cast<std::size_t>(slot)];
        const ButtonPlace& p = kButtonPlaces[static_cast<std::size_t>(slot)];
        Control b = Of(Kind::Button, PanelButtonId(slot), "picCon",
                       {p.left, p.top, p.width, kPanelButtonHeight});
        b.caption = info.caption;
        b.points = 12;
        const bool step = info.action.kind == PanelAction::Kind::Step;
        b.command = step ? kCmdAhead : kCmdRot;
        b.argument = info.action.index;
        f.controls.push_back(b);
    }
    const char* planes[] = {"xy", "xz", "xw", "yz", "yw", "zw"};
    for (int i = 1; i <= 6; ++i) {
        Control plane =
            Text("lblPlane" + std::to_string(i), "picCon", {1560, 120 + 360 * i, 375, 255}, 12,
                 true, planes[i - 1], Align::Center);
        plane.literal = true;
        f.controls.push_back(plane);
    }
    // As wide as the panel: a heading longer than the design's fits in other languages.
    f.controls.push_back(
        Text("Label2", "picCon", {0, 3240, 1935, 255}, 12, true, captions::kLabel2));
    struct Houkou {
        int index;
        Rect rect;
    };
    const Houkou houkou[] = {{0, {240, 3540, 1455, 255}}, {2, {600, 4020, 735, 255}},
                             {1, {120, 4260, 735, 255}},  {4, {1020, 4260, 735, 255}},
                             {5, {600, 4500, 735, 255}},  {3, {120, 4800, 1605, 255}},
                             {6, {120, 5100, 1575, 255}}};
    for (const Houkou& h : houkou) {
        // The fourth axis's bands, white on the colours of its walls.
        const bool band = h.index == 3 || h.index == 6;
        f.controls.push_back(Readout("lblHoukou" + std::to_string(h.index), "picCon", h.rect, 9.75,
                                     true, captions::kLblHoukouDesign,
                                     band ? Align::Center : Align::Left));
    }
    // Right-aligned against the panel's right edge, so its last character is never cut.
    f.controls.push_back(Text("Label3", "picCon", {1935 - 1455, 3780, 1455, 255}, 9.75, true,
                              captions::kLabel3, Align::Right));
    f.controls.push_back(
        Text("Label7", "picCon", {0, 5340, 855, 375}, 18, true, captions::kLabel7));
    Control clock =
        Readout("lbltime", "picCon", {720, 5640, 1095, 375}, 18, true, "0:00", Align::Right);
    clock.literal = true;
    f.controls.push_back(clock);
    return f;
}

Form MakeClearPanel() {
    Form f{"picClear", nullptr, false, 5895, 2655, {}};
    f.controls.push_back(Of(Kind::Picture, "picEnding", "", {120, 0, 5655, 2535}));
    f.controls.push_back(Text("Label4", "picEnding", {0, 0, 5775, 1335}, 72, false,
                              captions::kLabel4, Align::Center));
    // The lines are the game's once a clear time or the ending has replaced them.
    f.controls.push_back(Readout("Label5_0", "picEnding", {0, 1440, 5655, 375}, 18, false,
                                 captions::kLabel5Great, Align::Center));
    f.controls.push_back(Readout("Label5_1", "picEnding", {0, 1920, 5895, 375}, 18, false,
                                 captions::kLabel5ClearTime, Align::Center));
    return f;
}

Form MakeRanking() {
    Form f{"frmRanking", captions::kRankingTitle, false, 5055, 2385, {}};
    for (int i = 0; i < 12; ++i) {
        const int left = 1200 + 960 * (i % 4);
        const int row = i / 4;
        f.controls.push_back(Readout("lblName" + std::to_string(i), "",
                                     {left, 600 + 600 * row, 735, 255}, 9, false, ""));
        f.controls.push_back(Readout("lblTime" + std::to_string(i), "",
                                     {left, 840 + 600 * row, 735, 255}, 9, false, "",
                                     Align::Right));
    }
    int header = 0;
    for (const captions::RankingHeader& h : captions::kRankingHeaders)
        f.controls.push_back(Text("lblHeader" + std::to_string(header++), "",
                                  {h.left, h.top, 735, 255}, 9, false, h.text, Align::Center));
    int line = 0;
    for (int x : {2040, 3000, 3960})
        f.controls.push_back(
            Of(Kind::Line, "Line" + std::to_string(++line), "", {x, 120, 0, 2160}));
    f.controls.push_back(Of(Kind::Line, "Line" + std::to_string(++line), "", {120, 120, 960, 360}));
    const Rect boxes[] = {{120, 120, 975, 375},
                          {120, 480, 4815, 1815},
                          {1080, 120, 3855, 2175},
                          {120, 1080, 4815, 615}};
    int box = 0;
    for (const Rect& r : boxes)
        f.controls.push_back(Of(Kind::Box, "Shape" + std::to_string(++box), "", r));
    return f;
}

Form MakeVersion() {
    Form f{"frmVersion", captions::kVersionTitle, false, 2535, 3315, {}};
    constexpr const char* kGothic = "ＭＳ Ｐゴシック";
    constexpr const char* kCourier = "Courier New";
    auto add = [&f](Control c, const char* face) {
        c.face = face;
        f.controls.push_back(c);
    };
    f.controls.push_back(Of(Kind::Picture, "imgIcon", "", {540, 60, 1440, 1440}));
    // The design caption; the program's title takes its place when the box opens.
    add(Readout("lblAppName", "", {945, 1560, 645, 240}, 12, true, captions::kLblAppNameDesign,
                Align::Center),
        kGothic);
    Control beta = Text("lblBeta", "", {2040, 1500, 495, 495}, 27.75, true, "β");
    beta.literal = true;
    add(beta, kGothic);
    add(Readout("lblVersion", "", {120, 1800, 2295, 225}, 9, false, "", Align::Center), kCourier);
    Control author =
        Text("lblAuthor", "", {240, 2040, 2055, 195}, 9.75, true, "Pelkin", Align::Center);
    author.literal = true;
    add(author, "Times New Roman");
    Control mail =
        Text("Label2", "", {120, 2280, 2295, 255}, 9, false, captions::kVersionMail, Align::Center);
    mail.kind = Kind::Link;
    add(mail, kCourier);
    Control home = Text("Label1", "", {120, 2520, 2295, 255}, 11.25, false,
                        captions::kVersionHomePage, Align::Center);
    home.kind = Kind::Link;
    add(home, kCourier);
    Control ok = Of(Kind::Button, "Command1", "", {360, 2880, 1815, 375});
    ok.caption = "OK";
    ok.literal = true;
    ok.points = 12;
    add(ok, kCourier);
    return f;
}

MenuItem Item(std::string id, const char* caption, Command command, int argument = 0) {
    MenuItem m;
    m.id = std::move(id);
    m.caption = caption;
    m.command = command;
    m.argument = argument;
    return m;
}

MenuItem Sub(std::string id, const char* caption, std::vector<MenuItem> items) {
    MenuItem m;
    m.id = std::move(id);
    m.caption = caption;
    m.items = std::move(items);
    return m;
}

MenuItem Separator() {
    MenuItem m;
    m.separator = true;
    return m;
}

MenuItem Checkable(MenuItem m) {
    m.checkable = true;
    return m;
}

std::vector<MenuItem> MakeMenus() {
    using namespace captions;
    MenuItem start = Item("mnuFMStart", kMnuFMStart, kCmdStart);
    start.shortcut = "F5";
    MenuItem again = Item("mnuFMRe", kMnuFMRe, kCmdRestart);
    again.shortcut = "F6";
    MenuItem restart = Sub(
        "mnuRestart", kMnuRestart,
        {start, again, Separator(), Item("mnuTowerRestart", kMnuTowerRestart, kCmdTowerRestart)});

    std::vector<MenuItem> dimensions;
    for (int d = 1; d <= 3; ++d) {
        const std::string n = std::to_string(d);
        std::vector<MenuItem> figures;
        for (int f = 0; f < 2; ++f)
            figures.push_back(
                Item("mnuFigure" + n + std::to_string(f), kFigureNames[f], kCmdFigure, f));
        std::vector<MenuItem> items{Sub("mnuFigures" + n, kMnuFigures, std::move(figures))};
        for (int level = 1; level <= 4; ++level)
            items.push_back(
                Item("mnuLevel" + n + std::to_string(level), kLevelNames[level], kCmdMake, level));
        MenuItem dimension = Sub("mnuDimension" + n, kDimensionNames[d], std::move(items));
        // Opening a dimension's submenu chooses that dimension.
        dimension.openCommand = kCmdDimension;
        dimension.openArgument = d;
        dimensions.push_back(std::move(dimension));
    }
    MenuItem file = Sub("mnuFile", kMnuFile,
                        {restart, Separator(), Sub("mnuFMJigen", kMnuFMJigen, dimensions),
                         Separator(), Item("mnuSetDirection", kMnuSetDirection, kCmdHint),
                         // Its caption is the auto cruise's state, which the rules set and read.
                         Item("mnuAutoClouse", kAutoCruiseIdle, kCmdAutoCruise),
                         // Last, so that the items above keep their places for keyboard walks.
                         Separator(), Item("mnuMazeNumber", kMnuMazeNumber, kCmdMazeNumber)});

    std::vector<MenuItem> animation;
    for (int i = 0; i < 8; ++i)
        animation.push_back(Checkable(
            Item("mnuAnimation" + std::to_string(i), kAnimationNames[i], kCmdAnimation, i)));
    // Records go out and come in as files only in the browser; the desktop keeps its file.
    MenuItem exportItem = Item("mnuExport", kMnuExport, kCmdExport);
    exportItem.webOnly = true;
    MenuItem importItem = Item("mnuImport", kMnuImport, kCmdImport);
    importItem.webOnly = true;
    importItem.chooseFile = true;
    std::vector<MenuItem> other{Checkable(Item("mnuZahyou", kMnuZahyou, kCmdZahyou)),
                                Checkable(Item("mnuMap", kMnuMap, kCmdMap)),
                                Item("mnuHRanking", kMnuHRanking, kCmdRanking),
                                Sub("mnuSettings", kMnuSettings, std::move(animation)),
                                Checkable(Item("mnuFit", kMnuFit, kCmdFit)),
                                Item("mnuKeys", kMnuKeys, kCmdKeys),
                                Separator(),
                                exportItem,
                                importItem,
                                Separator()};
    // Each language in its own words.
    for (int i = 0; i < 2; ++i) {
        MenuItem language =
            Checkable(Item("mnuLanguage" + std::to_string(i), kLanguageNames[i], kCmdLanguage, i));
        language.literal = true;
        other.push_back(language);
    }

    return {file, Sub("mnuOther", kMnuOther, std::move(other)),
            Sub("mnuHelp", kMnuHelp,
                {Item("mnuHHelp", kMnuHHelp, kCmdHelp),
                 Item("mnuHVarsion", kMnuHVarsion, kCmdVersion)})};
}

}  // namespace

std::string PanelButtonId(int slot) {
    const PanelAction action = kPanelActions[static_cast<std::size_t>(slot)].action;
    return (action.kind == PanelAction::Kind::Step ? "Ahead" : "Rot") +
           std::to_string(action.index);
}

namespace {

const MenuItem* FindIn(const std::vector<MenuItem>& items, std::string_view id) {
    for (const MenuItem& item : items) {
        if (!item.separator && item.id == id) return &item;
        if (const MenuItem* found = FindIn(item.items, id)) return found;
    }
    return nullptr;
}

}  // namespace

const Control& Form::Find(std::string_view name) const {
    for (const Control& c : controls)
        if (c.id == name) return c;
    std::abort();
}

std::vector<const Control*> Form::Children(std::string_view name) const {
    std::vector<const Control*> children;
    for (const Control& c : controls)
        if (c.parent == name) children.push_back(&c);
    return children;
}

const Form& TitleForm() {
    static const Form form = MakeTitle();
    return form;
}

const Form& GameForm() {
    static const Form form = MakeGame();
    return form;
}

const Form& ClearPanelForm() {
    static const Form form = MakeClearPanel();
    return form;
}

const Form& RankingForm() {
    static const Form form = MakeRanking();
    return form;
}

const Form& VersionForm() {
    static const Form form = MakeVersion();
    return form;
}

const std::vector<MenuItem>& GameMenus() {
    static const std::vector<MenuItem> menus = MakeMenus();
    return menus;
}

const MenuItem* FindMenuItem(std::string_view id) {
    return FindIn(GameMenus(), id);
}

}  // namespace kestrune::forms
