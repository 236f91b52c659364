// What the page hands the game, in the order the player gave it: clicks, keys, menu items,
// resizes. The game takes one command at a time, after whatever it is doing.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace kestrune::web {

struct QueuedCommand {
    int code = 0;
    int argument = 0;
    std::string text;     // a key's name, an imported file's name
    std::string bytes;    // an imported file
    bool repeat = false;  // a key's auto-repeat, sent while the key is held
    bool operator==(const QueuedCommand&) const = default;
};

class CommandQueue {
public:
    // Queues the command; false when it is dropped instead:
    // - a key's auto-repeat while the same key's press still waits: held keys are combined,
    //   as the system the game was written for combines them, so a held key acts at the
    //   game's speed and stops at most one action after its release;
    // - a resize right after another one: the last size counts;
    // - the player's input during the ending's pauses.
    bool Push(QueuedCommand command);
    std::optional<QueuedCommand> Take();
    std::size_t Size() const { return m_commands.size(); }

    // The ending's pauses drop what the player does meanwhile; resizes still run.
    void SetInputDropped(bool dropped) { m_inputDropped = dropped; }

private:
    std::deque<QueuedCommand> m_commands;
    bool m_inputDropped = false;
};

}  // namespace kestrune::web
