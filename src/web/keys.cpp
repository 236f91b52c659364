#include "web/keys.h"

#include "web/commands.h"

namespace kestrune::web {

namespace {
// The second layout's keys as the keypad digits whose actions they take.
// TODO: read these from the [Keys] bindings once the core keeps them; these are its defaults.
struct AlternativeKey {
    std::string_view code;
    int digit;
};
constexpr AlternativeKey kAlternativeKeys[] = {
    {"ArrowUp", 5}, {"ArrowDown", 0}, {"ArrowLeft", 4}, {"ArrowRight", 6},
    {"PageUp", 8},  {"PageDown", 2},  {"KeyQ", 7},      {"KeyE", 9},
};
}  // namespace

std::optional<KeyCommand> KeyCommandFor(std::string_view code, bool shift, bool ctrl, bool alt,
                                        bool numLock) {
    if (code == "F5") return KeyCommand{kCmdStart, 0};
    if (code == "F6") return KeyCommand{kCmdRestartKey, 0};
    constexpr std::string_view kNumpad = "Numpad";
    if (code.size() == kNumpad.size() + 1 && code.substr(0, kNumpad.size()) == kNumpad) {
        const char digit = code.back();
        if (digit < '0' || digit > '9' || !numLock) return std::nullopt;
        const bool modified = shift || ctrl || alt;
        return KeyCommand{kCmdKey, (digit - '0') + (modified ? 10 : 0)};
    }
    // Ctrl and Alt with these keys belong to the browser (Alt+Left goes back a page).
    if (ctrl || alt) return std::nullopt;
    for (const AlternativeKey& key : kAlternativeKeys)
        if (key.code == code) return KeyCommand{kCmdKey, key.digit + (shift ? 10 : 0)};
    return std::nullopt;
}

}  // namespace kestrune::web
