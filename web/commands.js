// The commands the page queues for the game; the codes of src/web/commands.h.
export const Command = Object.freeze({
  choose: 1,
  rot: 2,
  ahead: 3,
  key: 4,
  start: 5,
  restart: 6,
  restartKey: 7,
  dimension: 8,
  make: 9,
  figure: 10,
  hint: 11,
  autoCruise: 12,
  zahyou: 13,
  ranking: 14,
  animation: 15,
  help: 16,
  version: 17,
  clearClick: 18,
  resize: 19,
  import: 20,
  export: 21,
  language: 22,
  namedKey: 23,
  keys: 24,
  mazeNumber: 25,
  openLink: 26,
  towerRestart: 27,
  map: 28,
});

// What the window system sends without the player: these still run during the ending.
export const notInput = new Set([Command.resize]);
