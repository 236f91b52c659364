#include "navigation/keys.h"

namespace kestrune {

std::optional<PanelAction> KeypadAction(int digit, bool modified) {
    using K = PanelAction::Kind;
    switch (digit) {
        case 0:
            return modified ? PanelAction{K::Rotate, 5} : PanelAction{K::Step, 1};
        case 2:
            return PanelAction{K::Rotate, modified ? 11 : 3};
        case 4:
            return PanelAction{K::Rotate, modified ? 8 : 0};
        case 5:
            return modified ? PanelAction{K::Rotate, 4} : PanelAction{K::Step, 0};
        case 6:
            return PanelAction{K::Rotate, modified ? 9 : 1};
        case 7:
            return PanelAction{K::Rotate, 6};
        case 8:
            return PanelAction{K::Rotate, modified ? 10 : 2};
        case 9:
            return PanelAction{K::Rotate, 7};
        default:
            return std::nullopt;  // keypad 1 and 3 do nothing
    }
}

std::optional<KeypadKey> KeyPressQueue::Arrive(KeypadKey key, bool autoRepeat) {
    const bool now =
        m_state == State::Idle || (m_state == State::Ended && m_waiting.empty() && !autoRepeat);
    if (now) {
        m_state = State::Running;
        return key;
    }
    if (autoRepeat && !m_waiting.empty() && m_waiting.back().key == key) return std::nullopt;
    m_waiting.push_back({key, autoRepeat});
    return std::nullopt;
}

void KeyPressQueue::Ended() {
    if (m_state == State::Running) m_state = State::Ended;
}

std::optional<KeypadKey> KeyPressQueue::Next() {
    if (m_waiting.empty()) {
        m_state = State::Idle;
        return std::nullopt;
    }
    const KeypadKey key = m_waiting.front().key;
    m_waiting.pop_front();
    m_state = State::Running;
    return key;
}

}  // namespace kestrune
