#include "web/command_queue.h"

#include <utility>

#include "forms/commands.h"

namespace kestrune::web {

namespace {
bool SameKey(const QueuedCommand& a, const QueuedCommand& b) {
    return a.code == b.code && a.argument == b.argument && a.text == b.text;
}
bool IsKey(int code) {
    return code == kCmdKey || code == kCmdNamedKey || code == kCmdStart || code == kCmdRestartKey;
}
}  // namespace

bool CommandQueue::Push(QueuedCommand command) {
    if (m_inputDropped && command.code != kCmdResize) return false;
    if (!m_commands.empty()) {
        const QueuedCommand& last = m_commands.back();
        if (command.code == kCmdResize && last.code == kCmdResize) return false;
        if (command.repeat && IsKey(command.code) && SameKey(command, last)) return false;
    }
    m_commands.push_back(std::move(command));
    return true;
}

std::optional<QueuedCommand> CommandQueue::Take() {
    if (m_commands.empty()) return std::nullopt;
    QueuedCommand next = std::move(m_commands.front());
    m_commands.pop_front();
    return next;
}

}  // namespace kestrune::web
