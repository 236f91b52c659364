// The commands the page queues for the game, by name. The game numbers them (src/forms/commands.h)
// and sends the table with its description at start: the page holds no copy of the codes.
const codes = new Map();

export function learnCommands(table) {
  for (const [name, code] of Object.entries(table)) codes.set(name, code);
}

// Command.resize and so on; a name the game does not know is an error, never a silent 0.
export const Command = new Proxy({}, {
  get(_, name) {
    const code = codes.get(name);
    if (code === undefined) throw new Error(`the game has no command "${String(name)}"`);
    return code;
  },
});
