// The numeric keypad, mapped onto the fourteen panel buttons.
#pragma once

#include <deque>
#include <optional>

namespace kestrune {

struct PanelAction {
    enum class Kind { Rotate, Step };
    Kind kind;
    int index;  // Rot_Click or Ahead_Click index
    bool operator==(const PanelAction&) const = default;
};

// A keypad digit 0..9, pressed with or without a modifier (Shift, Ctrl or Alt).
struct KeypadKey {
    int digit = 0;
    bool modified = false;
    bool operator==(const KeypadKey&) const = default;
};

// Keypad digit 0..9, with or without a modifier (Shift, Ctrl or Alt). Keypad 1 and 3 and
// anything outside 0..9 do nothing.
std::optional<PanelAction> KeypadAction(int digit, bool modified);

// Key presses that come while a turn or a step is drawn. A held key repeats faster than an
// action is drawn; the system the game was written for combines the repeats that pile up into
// one, so a held key acts at the animation's pace and stops at most one action after its
// release. Separate presses are all kept and carried out in order. Both shells follow this.
class KeyPressQueue {
public:
    // A press arrives (autoRepeat: the keyboard repeating a held key). Returns the key when
    // it is to be carried out now; nothing when it waits or merged into the press waiting
    // last. A press is carried out now when the game is idle, or, when an action has just
    // ended and nothing waits, when it is a separate press; a repeat that arrives while an
    // action runs or has just ended waits, merged into a waiting press of the same key.
    std::optional<KeypadKey> Arrive(KeypadKey key, bool autoRepeat);
    // The action carried out has ended; what arrived meanwhile is still to be taken in.
    void Ended();
    // Everything that arrived during the action is in: the next waiting press to carry out,
    // or nothing, and the game is idle again.
    std::optional<KeypadKey> Next();

private:
    enum class State { Idle, Running, Ended };
    struct Waiting {
        KeypadKey key;
        bool autoRepeat = false;
    };
    State m_state = State::Idle;
    std::deque<Waiting> m_waiting;
};

}  // namespace kestrune
