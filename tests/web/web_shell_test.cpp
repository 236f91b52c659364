// The browser shell's rules that need no browser: key names, the JSON handed to the page,
// the import decision and the command queue.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/commands.h"
#include "web/command_queue.h"
#include "web/import.h"
#include "web/json.h"
#include "web/keys.h"

namespace kestrune::web {
namespace {

// A browser key names the key the desktop names; the keypad never has a main-keyboard name.
TEST(WebKeys, NamesAsTheKeyBindingsReadThem) {
    struct Case {
        const char* key;
        const char* code;
        KeyModifiers held;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"ArrowUp", "ArrowUp", {}, "Up"},
        {"ArrowLeft", "ArrowLeft", {true, false, false, false}, "Shift+Left"},
        {"X", "KeyX", {true, true, false, false}, "Ctrl+Shift+X"},
        {"ф", "KeyA", {}, "A"},  // another script's letter: its place
        {"q", "KeyQ", {false, false, false, true}, std::nullopt},  // Meta: the browser's
        {"5", "Digit5", {}, std::nullopt},
        // The keypad with Num Lock off reports the navigation keys: still no name, so that
        // keypad 8 does not step forward through the arrow's binding.
        {"ArrowUp", "Numpad8", {}, std::nullopt},
        {"Home", "Numpad7", {true, false, false, false}, std::nullopt},
        {"Clear", "Numpad5", {}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainKeyName(c.key, c.code, c.held), c.name) << c.key << " " << c.code;
}

// The keypad's digits count only with Num Lock on; any of Shift, Ctrl, Alt modifies them.
TEST(WebKeys, KeypadDigitsOnlyWithNumLock) {
    EXPECT_EQ(KeypadDigit("Numpad8", {}, true), (KeypadPress{8, false}));
    EXPECT_EQ(KeypadDigit("Numpad0", {false, false, true, false}, true), (KeypadPress{0, true}));
    EXPECT_EQ(KeypadDigit("Numpad8", {}, false), std::nullopt);
    EXPECT_EQ(KeypadDigit("NumpadEnter", {}, true), std::nullopt);
    EXPECT_EQ(KeypadDigit("Digit8", {}, true), std::nullopt);
}

// A record holder's name with quotes, a backslash and a control character stays one JSON
// string: the page parses what the game writes.
TEST(WebJson, EscapesWhatWouldEndOrBreakAString) {
    JsonWriter json;
    json.BeginObject()
        .String("name", "Ann \"Ace\"")
        .String("path", "C:\\ini")
        .String("lines", "a\r\nb\t\x01")
        .BeginArray("list")
        .Number("", 1.5)
        .Bool("", false)
        .EndArray()
        .EndObject();
    EXPECT_EQ(json.Text(), R"({"name":"Ann \"Ace\"","path":"C:\\ini","lines":"a\r\nb\t\u0001",)"
                           R"("list":[1.5,false]})");
    EXPECT_EQ(JsonString("名前"), "\"名前\"");
}

// An imported file is taken as it is (its byte-order mark too) when it is this game's
// settings file and no larger than the limit; a Shift-JIS line becomes UTF-8.
TEST(WebImport, TakesTheGamesSettingsFileUpToTheLimit) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string file = bom + "[Kestrune]\r\nAnimation=0\r\n";
    EXPECT_EQ(ImportedSettingsText(file), file);
    EXPECT_EQ(ImportedSettingsText("[Kestrune]\r\nName10=\x95\x5c\r\n"),
              "[Kestrune]\r\nName10=表\r\n");

    std::string full = "[Kestrune]\nTime10=5\n;";
    full += std::string(kImportLimit - full.size(), 'x');
    ASSERT_EQ(full.size(), kImportLimit);
    EXPECT_EQ(ImportedSettingsText(full), full);
    EXPECT_EQ(ImportedSettingsText(full + "x"), std::nullopt);

    EXPECT_EQ(ImportedSettingsText(""), std::nullopt);
    EXPECT_EQ(ImportedSettingsText("[Other]\nTime10=5\n"), std::nullopt);
    EXPECT_EQ(ImportedSettingsText("\x89PNG\r\n\x1a\n"), std::nullopt);
}

std::vector<QueuedCommand> Drain(CommandQueue& queue) {
    std::vector<QueuedCommand> out;
    while (auto c = queue.Take()) out.push_back(*c);
    return out;
}

// A held key's auto-repeats that pile up while the game is busy become one press; presses of
// their own are all kept, in order.
TEST(WebCommandQueue, HeldKeyRepeatsCombineSeparatePressesStay) {
    CommandQueue queue;
    const QueuedCommand left{kCmdKey, 4, "", "", false};
    QueuedCommand leftHeld = left;
    leftHeld.repeat = true;
    const QueuedCommand up{kCmdNamedKey, 0, "Up", "", true};

    // The first press runs at once; 39 repeats arrive during its animation.
    ASSERT_TRUE(queue.Push(left));
    ASSERT_TRUE(queue.Take());
    int kept = 0;
    for (int i = 0; i < 39; ++i) kept += queue.Push(leftHeld) ? 1 : 0;
    EXPECT_EQ(kept, 1);
    EXPECT_EQ(Drain(queue), std::vector<QueuedCommand>{leftHeld});

    // Separate presses are kept; a repeat joins a waiting press of the same key only.
    EXPECT_TRUE(queue.Push(left));
    EXPECT_TRUE(queue.Push(left));
    EXPECT_FALSE(queue.Push(leftHeld));
    EXPECT_TRUE(queue.Push(up));
    EXPECT_FALSE(queue.Push(up));
    EXPECT_TRUE(queue.Push(leftHeld));
    EXPECT_TRUE(queue.Push({kCmdNamedKey, 0, "Down", "", true}));
    EXPECT_EQ(Drain(queue).size(), 5u);

    // Clicks are never combined.
    EXPECT_TRUE(queue.Push({kCmdRot, 0, "", "", false}));
    EXPECT_TRUE(queue.Push({kCmdRot, 0, "", "", false}));
    EXPECT_EQ(queue.Size(), 2u);
}

// During the ending's pauses the player's input is dropped; a resize still counts, the last
// of several in a row.
TEST(WebCommandQueue, EndingDropsInputResizesKeepTheLast) {
    CommandQueue queue;
    queue.SetInputDropped(true);
    EXPECT_FALSE(queue.Push({kCmdKey, 5, "", "", false}));
    EXPECT_FALSE(queue.Push({kCmdClearClick, 0, "", "", false}));
    EXPECT_TRUE(queue.Push({kCmdResize, 0, "", "", false}));
    EXPECT_FALSE(queue.Push({kCmdResize, 0, "", "", false}));
    queue.SetInputDropped(false);
    EXPECT_TRUE(queue.Push({kCmdKey, 5, "", "", false}));
    EXPECT_TRUE(queue.Push({kCmdResize, 0, "", "", false}));
    EXPECT_EQ(queue.Size(), 3u);
}

}  // namespace
}  // namespace kestrune::web
