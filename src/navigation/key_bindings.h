// The fourteen panel actions and their keys: the numeric keypad, which never changes, and a
// second set on the main keyboard for keyboards without a keypad, which the player can rebind.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "navigation/keys.h"

namespace kestrune {

class SettingsFile;

// Key names, shared by every shell (the desktop turns a key event into one, a browser
// would do the same from its key events) and stored in the settings file:
//
//   name := [ "Ctrl+" ] [ "Alt+" ] [ "Shift+" ] key
//   key  := "A" … "Z" | "Up" | "Down" | "Left" | "Right" | "PgUp" | "PgDown"
//         | "Home" | "End" | "Ins" | "Del"
//
// These are the main keyboard's keys; the same keys on the numeric keypad have no name, so
// the keypad with Num Lock off never runs an action twice. The digits have no name either:
// they stay the keypad's. Reading ignores letter case, spaces around the parts and the order
// of the modifiers; the written form is the one above (it is also Qt's portable text).
std::optional<std::string> NormalizeKeyName(std::string_view text);

// A name for the player's eyes: the arrow keys as ↑ ↓ ← →, e.g. "Shift+↑".
std::string KeyDisplayName(std::string_view name);

inline constexpr int kPanelActionCount = 14;
inline constexpr const char* kKeysSection = "Keys";

struct PanelActionInfo {
    PanelAction action;
    const char* caption;      // the panel button's caption (Japanese source text)
    const char* name;         // what it does, for the key settings and the tooltip
    const char* settingsKey;  // its entry in the settings section "Keys"
    KeypadKey keypad;         // the keypad key that runs it
    const char* defaultKey;   // its main-keyboard key unless the player chose another
};

// The actions in panel order, top to bottom; a "slot" below is an index into this table.
extern const std::array<PanelActionInfo, kPanelActionCount> kPanelActions;

// The slot of a panel action (every Rot and Ahead index has one).
int PanelSlot(PanelAction action);

// The keypad key of a slot as the player presses it: "5", "Shift+5".
std::string KeypadKeyName(int slot);

// One main-keyboard key per action, never the same key for two actions.
class KeyBindings {
public:
    using Keys = std::array<std::string, kPanelActionCount>;

    KeyBindings();  // the default layout
    // One key per slot; nothing when a key has no name or two slots share one.
    static std::optional<KeyBindings> FromKeys(const Keys& keys);

    const std::string& Key(int slot) const { return m_keys[static_cast<std::size_t>(slot)]; }

    // The slot that holds the key, if any.
    std::optional<int> Holder(std::string_view keyName) const;

    enum class BindResult { Bound, Unusable, Taken };
    // Binds the key to the slot unless it has no name (Unusable) or another slot holds it
    // (Taken); a refused key leaves the bindings as they were.
    BindResult Bind(int slot, std::string_view keyName);

    // The keypad key the named key stands in for, or nothing when no action holds it.
    std::optional<KeypadKey> Lookup(std::string_view keyName) const;

    bool operator==(const KeyBindings&) const = default;

private:
    Keys m_keys;
};

// Reads the section "Keys": an entry that is missing, unreadable, or names a key another
// entry also names keeps its default (of two clashing entries, the one that is not its
// default gives way). Missing entries are stored with their defaults, as every setting is.
KeyBindings LoadKeyBindings(SettingsFile& settings);
void StoreKeyBindings(SettingsFile& settings, const KeyBindings& keys);

// The key settings dialog's rule for a key the player pressed in a slot's field (its name, or
// nothing for a key without one): bound when it can be, otherwise the bindings stay as they
// were and the refusal to show the player comes back.
std::optional<std::string> OfferKey(KeyBindings& keys, int slot,
                                    const std::optional<std::string>& keyName);

// The panel button's tooltip: the action, then both keys, e.g. "前進する: テンキー 5 / ↑".
std::string PanelKeyTooltip(int slot, const KeyBindings& keys);

}  // namespace kestrune
