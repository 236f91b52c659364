// The main-keyboard keys: the default layout, rebinding, and what the settings file holds.
#include "navigation/key_bindings.h"

#include <gtest/gtest.h>

#include "game/files.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace kestrune {
namespace {

using K = PanelAction::Kind;

std::optional<PanelAction> ActionOf(const KeyBindings& keys, std::string_view name) {
    const auto keypad = keys.Lookup(name);
    if (!keypad) return std::nullopt;
    return KeypadAction(keypad->digit, keypad->modified);
}

// Each key runs the panel action its keypad key runs; digits and other keys run nothing.
TEST(KeyBindings, DefaultLayoutDrivesTheSamePanelActionsAsTheKeypad) {
    const KeyBindings keys;
    const std::pair<const char*, PanelAction> table[] = {
        {"Up", {K::Step, 0}},
        {"Down", {K::Step, 1}},
        {"Left", {K::Rotate, 0}},
        {"Right", {K::Rotate, 1}},
        {"PgUp", {K::Rotate, 2}},
        {"PgDown", {K::Rotate, 3}},
        {"Shift+Up", {K::Rotate, 4}},
        {"Shift+Down", {K::Rotate, 5}},
        {"Q", {K::Rotate, 6}},
        {"E", {K::Rotate, 7}},
        {"Shift+Left", {K::Rotate, 8}},
        {"Shift+Right", {K::Rotate, 9}},
        {"Shift+PgUp", {K::Rotate, 10}},
        {"Shift+PgDown", {K::Rotate, 11}},
    };
    for (const auto& [name, action] : table) {
        EXPECT_EQ(ActionOf(keys, name), action) << name;
        EXPECT_EQ(keys.Key(PanelSlot(action)), name);
    }
    EXPECT_EQ(ActionOf(keys, "shift + pgup"), (PanelAction{K::Rotate, 10}));
    for (const char* inert : {"5", "0", "Shift+5", "Ctrl+Up", "Shift+Q", "W", "Num+Up", ""})
        EXPECT_FALSE(keys.Lookup(inert)) << inert;
    // Every row's keypad key is the one the keypad mapping gives that action.
    for (const PanelActionInfo& info : kPanelActions)
        EXPECT_EQ(KeypadAction(info.keypad.digit, info.keypad.modified), info.action)
            << info.caption;
    EXPECT_EQ(KeypadKeyName(PanelSlot({K::Step, 1})), "0");
    EXPECT_EQ(KeypadKeyName(PanelSlot({K::Rotate, 4})), "Shift+5");
    EXPECT_EQ(PanelKeyTooltip(PanelSlot({K::Step, 0}), keys), "前進する: テンキー 5 / ↑");
    EXPECT_EQ(PanelKeyTooltip(PanelSlot({K::Rotate, 11}), keys),
              "下を未へ向ける: テンキー Shift+2 / Shift+PgDown");
}

// A key another action holds, or one without a name, is refused and changes nothing.
TEST(KeyBindings, ConflictsAndUnnamedKeysAreRefused) {
    KeyBindings keys;
    const int ahead = PanelSlot({K::Step, 0});
    const int roll = PanelSlot({K::Rotate, 6});
    EXPECT_EQ(keys.Bind(ahead, "Q"), KeyBindings::BindResult::Taken);
    EXPECT_EQ(keys.Holder("q"), roll);
    for (const char* bad :
         {"5", "F5", "Space", "Shift+", "Shift+Shift+W", "Meta+W", "WW", "é", "\xe4", ""})
        EXPECT_EQ(keys.Bind(ahead, bad), KeyBindings::BindResult::Unusable) << bad;
    EXPECT_EQ(keys, KeyBindings());
    EXPECT_EQ(keys.Bind(ahead, "Up"), KeyBindings::BindResult::Bound);  // its own key
    EXPECT_EQ(keys.Bind(ahead, "alt+ctrl+w"), KeyBindings::BindResult::Bound);
    EXPECT_EQ(keys.Key(ahead), "Ctrl+Alt+W");
    EXPECT_EQ(ActionOf(keys, "Ctrl+Alt+W"), (PanelAction{K::Step, 0}));
    EXPECT_FALSE(keys.Lookup("Up"));
    EXPECT_EQ(keys.Bind(roll, "Up"), KeyBindings::BindResult::Bound);  // freed, so free to take
}

class KeysFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsFile settings;
    void SetUp() override { settings.LocateSettingsFile(dir.path()); }
    void Write(const std::string& text) {
        ASSERT_TRUE(WriteFileAtomically(settings.SettingsPath(), text));
    }
};

// Rebound keys, a swap included, survive the file; an older file without the section reads
// as the defaults and keeps its own entries.
TEST_F(KeysFileTest, ReboundKeysAreStoredAndReadBack) {
    Write("[Kestrune]\nAnimation=-1\nTime10=42\n");
    EXPECT_EQ(LoadKeyBindings(settings), KeyBindings());
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "RollRight", "?"), "E");  // defaults stored

    KeyBindings::Keys swapped;
    for (int i = 0; i < kPanelActionCount; ++i) swapped[i] = KeyBindings().Key(i);
    std::swap(swapped[PanelSlot({K::Step, 0})], swapped[PanelSlot({K::Rotate, 6})]);
    KeyBindings keys = *KeyBindings::FromKeys(swapped);
    ASSERT_EQ(keys.Bind(PanelSlot({K::Rotate, 11}), "Ctrl+End"), KeyBindings::BindResult::Bound);
    StoreKeyBindings(settings, keys);

    EXPECT_EQ(LoadKeyBindings(settings), keys);
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "Ahead", "?"), "Q");
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "UpToMinusW", "?"), "Ctrl+End");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Time10", "?"), "42");
    EXPECT_EQ(settings.ReadSetting(kSettingsSection, "Animation", "?"), "-1");
}

// Unreadable entries and clashing entries fall back to their defaults; readable ones stay.
TEST_F(KeysFileTest, DamagedEntriesFallBackToTheirDefaults) {
    Write(
        "[Keys]\n"
        "Ahead=Up Arrow\n"           // unreadable
        "Back=5\n"                   // a digit stays the keypad's
        "TurnLeft=Shift+Shift+A\n"   // unreadable
        "TurnRight= ctrl + alt+x\n"  // readable, written loosely
        "RollLeft=Down\n"            // clashes with Back's default: gives way
        "UpToW=Z\n"
        "UpToMinusW=z\n"  // both clash and neither is a default: both give way
        "TurnUp=\n");     // empty
    const KeyBindings keys = LoadKeyBindings(settings);
    const KeyBindings defaults;
    for (int i = 0; i < kPanelActionCount; ++i) {
        if (kPanelActions[i].action == PanelAction{K::Rotate, 1})
            EXPECT_EQ(keys.Key(i), "Ctrl+Alt+X");
        else
            EXPECT_EQ(keys.Key(i), defaults.Key(i)) << kPanelActions[i].settingsKey;
    }
    // What the player wrote is left for them to see; only the empty entry was filled in.
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "Ahead", "?"), "Up Arrow");
    EXPECT_EQ(settings.ReadSetting(kKeysSection, "TurnUp", "?"), "PgUp");
}

}  // namespace
}  // namespace kestrune
