#include "ui/keypad.h"

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

}  // namespace kestrune::ui
