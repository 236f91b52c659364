#include "web/keys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kestrune::web {

namespace {

constexpr std::string_view kNumpad = "Numpad";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::optional<char> Letter(std::string_view text) {
    if (text.size() != 1) return std::nullopt;
    const char c = text[0];
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
    return std::nullopt;
}

// The browser's names of the named keys, and theirs in the key bindings.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kNamedKeys = {{
    {"ArrowUp", "Up"},
    {"ArrowDown", "Down"},
    {"ArrowLeft", "Left"},
    {"ArrowRight", "Right"},
    {"PageUp", "PgUp"},
    {"PageDown", "PgDown"},
    {"Home", "Home"},
    {"End", "End"},
    {"Insert", "Ins"},
    {"Delete", "Del"},
}};

}  // namespace

std::optional<KeypadPress> KeypadDigit(std::string_view code, const KeyModifiers& modifiers,
                                       bool numLock) {
    if (code.size() != kNumpad.size() + 1 || !StartsWith(code, kNumpad)) return std::nullopt;
    const char digit = code.back();
    if (digit < '0' || digit > '9' || !numLock) return std::nullopt;
    return KeypadPress{digit - '0', modifiers.shift || modifiers.ctrl || modifiers.alt};
}

std::optional<std::string> MainKeyName(std::string_view key, std::string_view code,
                                       const KeyModifiers& modifiers) {
    if (StartsWith(code, kNumpad) || modifiers.meta) return std::nullopt;
    std::string base;
    if (const auto letter = Letter(key)) {
        base = std::string(1, *letter);
    } else if (const auto place = Letter(code.substr(std::min<size_t>(code.size(), 3)));
               place && StartsWith(code, "Key") && !key.empty() &&
               static_cast<unsigned char>(key[0]) >= 0x80) {
        // A letter key of another script (or Alt's symbol on a Mac): its place names it.
        base = std::string(1, *place);
    } else {
        for (const auto& [browser, name] : kNamedKeys)
            if (key == browser) base = name;
    }
    if (base.empty()) return std::nullopt;
    return std::string(modifiers.ctrl ? "Ctrl+" : "") + (modifiers.alt ? "Alt+" : "") +
           (modifiers.shift ? "Shift+" : "") + base;
}

}  // namespace kestrune::web
