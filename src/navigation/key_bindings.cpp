#include "navigation/key_bindings.h"

#include <algorithm>

#include "settings/settings_file.h"
#include "text/catalogue.h"

namespace kestrune {

namespace {

using K = PanelAction::Kind;
using text::TrMark;

// The named keys besides the letters, in their written form.
constexpr std::string_view kNamedKeys[] = {"Up",     "Down", "Left", "Right", "PgUp",
                                           "PgDown", "Home", "End",  "Ins",   "Del"};

// ASCII only, whatever the locale: a name is plain ASCII text.
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<std::string> BaseKey(std::string_view text) {
    if (text.size() == 1 && Upper(text[0]) >= 'A' && Upper(text[0]) <= 'Z')
        return std::string(1, Upper(text[0]));
    for (std::string_view named : kNamedKeys)
        if (SameLetters(text, named)) return std::string(named);
    return std::nullopt;
}

}  // namespace

// Each action's keypad key is the one Form_KeyDown maps onto it, so a main-keyboard key goes
// through the very same path as its keypad key.
// clang-format off
const std::array<PanelActionInfo, kPanelActionCount> kPanelActions = {{
    {{K::Step, 0}, TrMark("前進(5)"), TrMark("前進する"), "Ahead", {5, false}, "Up"},
    {{K::Rotate, 0}, TrMark("左(4)"), TrMark("左を向く"), "TurnLeft", {4, false}, "Left"},
    {{K::Rotate, 1}, TrMark("右(6)"), TrMark("右を向く"), "TurnRight", {6, false}, "Right"},
    {{K::Rotate, 2}, TrMark("上(8)"), TrMark("上を向く"), "TurnUp", {8, false}, "PgUp"},
    {{K::Rotate, 3}, TrMark("下(2)"), TrMark("下を向く"), "TurnDown", {2, false}, "PgDown"},
    {{K::Rotate, 4}, TrMark("奥未(S5)"), TrMark("前を未へ向ける"), "AheadToW", {5, true}, "Shift+Up"},
    {{K::Rotate, 5}, TrMark("奥過(S0)"), TrMark("前を過へ向ける"), "AheadToMinusW", {0, true}, "Shift+Down"},
    {{K::Rotate, 6}, TrMark("左振(7)"), TrMark("左へ傾く"), "RollLeft", {7, false}, "Q"},
    {{K::Rotate, 7}, TrMark("右振(9)"), TrMark("右へ傾く"), "RollRight", {9, false}, "E"},
    {{K::Rotate, 8}, TrMark("左未(S4)"), TrMark("左を未へ向ける"), "LeftToW", {4, true}, "Shift+Left"},
    {{K::Rotate, 9}, TrMark("右未(S6)"), TrMark("右を未へ向ける"), "LeftToMinusW", {6, true}, "Shift+Right"},
    {{K::Rotate, 10}, TrMark("上未(S8)"), TrMark("上を未へ向ける"), "UpToW", {8, true}, "Shift+PgUp"},
    {{K::Rotate, 11}, TrMark("下未(S2)"), TrMark("下を未へ向ける"), "UpToMinusW", {2, true}, "Shift+PgDown"},
    {{K::Step, 1}, TrMark("後退(2)"), TrMark("後退する"), "Back", {0, false}, "Down"},
}};
// clang-format on

std::optional<std::string> NormalizeKeyName(std::string_view text) {
    bool ctrl = false, alt = false, shift = false;
    std::optional<std::string> base;
    while (true) {
        const auto plus = text.find('+');
        const std::string_view part = Trimmed(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            base = BaseKey(part);
            break;
        }
        bool* modifier = SameLetters(part, "Ctrl")    ? &ctrl
                         : SameLetters(part, "Alt")   ? &alt
                         : SameLetters(part, "Shift") ? &shift
                                                      : nullptr;
        if (!modifier || *modifier) return std::nullopt;
        *modifier = true;
        text.remove_prefix(plus + 1);
    }
    if (!base) return std::nullopt;
    return std::string(ctrl ? "Ctrl+" : "") + (alt ? "Alt+" : "") + (shift ? "Shift+" : "") + *base;
}

std::string KeyDisplayName(std::string_view name) {
    const auto plus = name.rfind('+');
    const std::string_view modifiers =
        plus == std::string_view::npos ? "" : name.substr(0, plus + 1);
    const std::string_view key = name.substr(modifiers.size());
    const std::string_view arrow = key == "Up"      ? "↑"
                                   : key == "Down"  ? "↓"
                                   : key == "Left"  ? "←"
                                   : key == "Right" ? "→"
                                                    : key;
    return std::string(modifiers) + std::string(arrow);
}

int PanelSlot(PanelAction action) {
    const auto it =
        std::find_if(kPanelActions.begin(), kPanelActions.end(),
                     [&](const PanelActionInfo& info) { return info.action == action; });
    return static_cast<int>(it - kPanelActions.begin());
}

std::string KeypadKeyName(int slot) {
    const KeypadKey key = kPanelActions[static_cast<std::size_t>(slot)].keypad;
    return (key.modified ? "Shift+" : "") + std::to_string(key.digit);
}

KeyBindings::KeyBindings() {
    for (std::size_t i = 0; i < m_keys.size(); ++i) m_keys[i] = kPanelActions[i].defaultKey;
}

std::optional<KeyBindings> KeyBindings::FromKeys(const Keys& keys) {
    KeyBindings bindings;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto name = NormalizeKeyName(keys[i]);
        if (!name) return std::nullopt;
        bindings.m_keys[i] = *name;
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (bindings.Holder(bindings.m_keys[i]) != static_cast<int>(i)) return std::nullopt;
    return bindings;
}

std::optional<int> KeyBindings::Holder(std::string_view keyName) const {
    const auto name = NormalizeKeyName(keyName);
    if (!name) return std::nullopt;
    const auto it = std::find(m_keys.begin(), m_keys.end(), *name);
    if (it == m_keys.end()) return std::nullopt;
    return static_cast<int>(it - m_keys.begin());
}

KeyBindings::BindResult KeyBindings::Bind(int slot, std::string_view keyName) {
    const auto name = NormalizeKeyName(keyName);
    if (!name) return BindResult::Unusable;
    const auto holder = Holder(*name);
    if (holder && *holder != slot) return BindResult::Taken;
    m_keys[static_cast<std::size_t>(slot)] = *name;
    return BindResult::Bound;
}

std::optional<KeypadKey> KeyBindings::Lookup(std::string_view keyName) const {
    const auto slot = Holder(keyName);
    if (!slot) return std::nullopt;
    return kPanelActions[static_cast<std::size_t>(*slot)].keypad;
}

KeyBindings LoadKeyBindings(SettingsFile& settings) {
    KeyBindings::Keys keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const PanelActionInfo& info = kPanelActions[i];
        const std::string stored =
            settings.ReadSetting(kKeysSection, info.settingsKey, info.defaultKey);
        keys[i] = NormalizeKeyName(stored).value_or(info.defaultKey);
    }
    // The defaults never clash, so giving way ends after a few rounds at most.
    for (bool clash = true; clash;) {
        clash = false;
        for (std::size_t i = 0; i < keys.size(); ++i)
            for (std::size_t j = i + 1; j < keys.size(); ++j) {
                if (keys[i] != keys[j]) continue;
                for (std::size_t k : {i, j})
                    if (keys[k] != kPanelActions[k].defaultKey) {
                        keys[k] = kPanelActions[k].defaultKey;
                        clash = true;
                    }
            }
    }
    return KeyBindings::FromKeys(keys).value_or(KeyBindings());
}

void StoreKeyBindings(SettingsFile& settings, const KeyBindings& keys) {
    for (std::size_t i = 0; i < kPanelActions.size(); ++i)
        settings.WriteSetting(kKeysSection, kPanelActions[i].settingsKey,
                              keys.Key(static_cast<int>(i)));
}

std::optional<std::string> OfferKey(KeyBindings& keys, int slot,
                                    const std::optional<std::string>& keyName) {
    const auto result = keyName ? keys.Bind(slot, *keyName) : KeyBindings::BindResult::Unusable;
    if (result == KeyBindings::BindResult::Unusable)
        return text::Tr(
            "このキーは使えません。使えるのは A〜Z、矢印、PgUp、PgDown、Home、End、"
            "Ins、Del のキーで、Shift、Ctrl、Alt と組み合わせることもできます"
            "（テンキーと数字のキーは除きます）。");
    if (result == KeyBindings::BindResult::Taken) {
        const int holder = *keys.Holder(*keyName);
        return text::Trf("{0} はもう「{1}」に使われています。ほかのキーを選んでください。",
                         {KeyDisplayName(*NormalizeKeyName(*keyName)),
                          text::Tr(kPanelActions[static_cast<std::size_t>(holder)].name)});
    }
    return std::nullopt;
}

std::string PanelKeyTooltip(int slot, const KeyBindings& keys) {
    return text::Trf("{0}: テンキー {1} / {2}",
                     {text::Tr(kPanelActions[static_cast<std::size_t>(slot)].name),
                      KeypadKeyName(slot), KeyDisplayName(keys.Key(slot))});
}

}  // namespace kestrune
