#include "ui/keypad.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kestrune::ui {

std::optional<KeypadPress> KeypadDigit(int key, Qt::KeyboardModifiers modifiers,
                                       std::optional<bool> numLockOn) {
    if (!(modifiers & Qt::KeypadModifier)) return std::nullopt;
    const bool modified =
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return KeypadPress{key - Qt::Key_0, modified};
    if (!(modifiers & Qt::ShiftModifier) || numLockOn == false) return std::nullopt;
    switch (key) {
        case Qt::Key_Insert:
            return KeypadPress{0, true};
        case Qt::Key_End:
            return KeypadPress{1, true};
        case Qt::Key_Down:
            return KeypadPress{2, true};
        case Qt::Key_PageDown:
            return KeypadPress{3, true};
        case Qt::Key_Left:
            return KeypadPress{4, true};
        case Qt::Key_Clear:
            return KeypadPress{5, true};
        case Qt::Key_Right:
            return KeypadPress{6, true};
        case Qt::Key_Home:
            return KeypadPress{7, true};
        case Qt::Key_Up:
            return KeypadPress{8, true};
        case Qt::Key_PageUp:
            return KeypadPress{9, true};
        default:
            return std::nullopt;
    }
}

std::optional<std::string> MainKeyName(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::KeypadModifier | Qt::MetaModifier)) return std::nullopt;
    std::string base;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        base = std::string(1, static_cast<char>('A' + (key - Qt::Key_A)));
    } else {
        static const std::pair<int, const char*> named[] = {
            {Qt::Key_Up, "Up"},       {Qt::Key_Down, "Down"},   {Qt::Key_Left, "Left"},
            {Qt::Key_Right, "Right"}, {Qt::Key_PageUp, "PgUp"}, {Qt::Key_PageDown, "PgDown"},
            {Qt::Key_Home, "Home"},   {Qt::Key_End, "End"},     {Qt::Key_Insert, "Ins"},
            {Qt::Key_Delete, "Del"}};
        const auto it = std::find_if(std::begin(named), std::end(named),
                                     [key](const auto& entry) { return entry.first == key; });
        if (it == std::end(named)) return std::nullopt;
        base = it->second;
    }
    return std::string(modifiers & Qt::ControlModifier ? "Ctrl+" : "") +
           (modifiers & Qt::AltModifier ? "Alt+" : "") +
           (modifiers & Qt::ShiftModifier ? "Shift+" : "") + base;
}

}  // namespace kestrune::ui
