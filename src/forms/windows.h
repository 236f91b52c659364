// The game's windows as data: every control with its name, kind, place in twips, font,
// caption and command, and the game window's menus. The desktop builds its widgets from this
// and the browser sends it to the page, so a window is described once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/commands.h"

namespace kestrune::forms {

inline constexpr int kTwipsPerPixel = 15;  // at the design size

enum class Kind {
    Label,
    Button,
    Picture,  // a surface the game draws on (the view, an icon, the ending)
    Panel,    // a container of other controls
    Link,     // a label that opens an address
    Line,     // from (left, top) to (left + width, top + height)
    Box,      // a drawn rectangle
};

enum class Align { Left, Center, Right };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;  // twips
};

struct Control {
    std::string id;      // the control's name, the same in both shells
    std::string parent;  // the container's id; empty: the window itself
    Kind kind = Kind::Label;
    Rect rect;
    double points = 0;  // the font's size; 0: the window's usual face
    bool bold = false;
    const char* face = nullptr;  // the font's family; null: the window's usual face
    Align align = Align::Left;
    const char* caption = nullptr;  // a catalogue message, said through text::Tr
    bool literal = false;           // the caption stands as it is (names, digits)
    bool readout = false;           // the game replaces the caption with its own text
    Command command = kCmdNone;
    int argument = 0;
};

struct Form {
    std::string_view id;
    const char* caption = nullptr;  // a catalogue message
    bool literalCaption = false;
    int width = 0, height = 0;  // the client area, twips
    std::vector<Control> controls;

    // The control of that name; the description is fixed, so a wrong name is a programming
    // error caught by the tests.
    const Control& Find(std::string_view id) const;
    // The controls inside a container, in order.
    std::vector<const Control*> Children(std::string_view parent) const;
};

// A panel button's name: "Ahead0", "Rot3", as the handler it calls.
std::string PanelButtonId(int slot);

const Form& TitleForm();
// The game window: the view (picture1) with the wait label, the strip (picture2) and the panel
// (picCon) with its 14 buttons (Ahead0/1, Rot0..11), plane labels and readouts.
const Form& GameForm();
// Shown over the view after a clear and for the ending.
const Form& ClearPanelForm();
// The ranking table: the names and times by index (lblName0.., lblTime0..), the headers,
// lines and boxes.
const Form& RankingForm();
const Form& VersionForm();

struct MenuItem {
    std::string id;
    const char* caption = nullptr;  // a catalogue message
    bool literal = false;
    std::string_view shortcut;  // "F5"
    Command command = kCmdNone;
    int argument = 0;
    bool separator = false;
    bool checkable = false;
    bool webOnly = false;            // only where records live in the browser's storage
    bool chooseFile = false;         // the page asks for a file before the command goes
    Command openCommand = kCmdNone;  // sent when the submenu opens
    int openArgument = 0;
    std::vector<MenuItem> items;  // a submenu when not empty
};

// The game window's menu bar, in order.
const std::vector<MenuItem>& GameMenus();
// The item (or submenu) of that name anywhere in the menus; null when there is none.
const MenuItem* FindMenuItem(std::string_view id);

}  // namespace kestrune::forms
