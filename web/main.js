// Kestrune's page: loads the game (WebAssembly), hands it the page object whose functions it
// imports (src/web/page_imports.js) and queues the player's input for it in order.
import createKestrune from "./kestrune.mjs";
import { installAudio, audioState } from "./audio.js";
import { Command, learnCommands } from "./commands.js";
import { Page } from "./page.js";

let running = false;
let game = null;

// Every click, key and menu command waits its turn in the game's queue: while the game shows
// an animation, a box or "Please Wait", what the player does meanwhile runs afterwards, in
// order. `repeat` marks a held key's auto-repeat, which the queue may combine.
function enqueue(code, argument = 0, text = "", bytes = new Uint8Array(0), repeat = false) {
  if (!game) return;
  const copy = game._malloc(bytes.length + 1);
  game.HEAPU8.set(bytes, copy);
  try {
    withString(text, (t) => game._kestrune_enqueue(code, argument, t, copy, bytes.length,
                                                   repeat ? 1 : 0));
  } finally {
    game._free(copy);
  }
  pump();
}

const queued = () => game._kestrune_queued();

async function pump() {
  if (running || !game) return;
  running = true;
  try {
    while (queued()) await game.ccall("kestrune_pump", null, [], [], { async: true });
  } finally {
    running = false;
  }
}

const page = new Page(enqueue);
page.nextCommand = () => queue.shift() || null;
page.storageRead = (key) => {
  try {
    return window.localStorage.getItem(key);
  } catch {
    return null;
  }
};
page.storageWrite = (key, text) => {
  try {
    window.localStorage.setItem(key, text);
    return window.localStorage.getItem(key) === text;
  } catch {
    return false;
  }
};
page.storageRemove = (key) => {
  try {
    window.localStorage.removeItem(key);
    return window.localStorage.getItem(key) === null;
  } catch {
    return false;
  }
};
page.restartEnabled = () => game._kestrune_restart_enabled() === 1;
// The key settings dialog's calls into the game, while the game waits for the dialog.
const json = (pointer) => JSON.parse(game.UTF8ToString(pointer));
page.keysBegin = () => json(game._kestrune_keys_begin());
page.keysOffer = (slot, e) => json(withString(e.key, (k) => withString(e.code, (c) =>
  game._kestrune_keys_offer(slot, k, c, modifiersOf(e)))));
page.keysDefaults = () => json(game._kestrune_keys_defaults());

// Shift 1, Ctrl 2, Alt 4, Meta 8, as the game reads them.
function modifiersOf(e) {
  return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) | (e.metaKey ? 8 : 0);
}

// A string in the game's memory for the length of one call.
function withString(text, call) {
  const size = text.length * 3 + 1;
  const pointer = game._malloc(size);
  game.stringToUTF8(text, pointer, size);
  try {
    return call(pointer);
  } finally {
    game._free(pointer);
  }
}

function onKey(e) {
  if (!game || page.modal || e.isComposing) return;
  if (e.target instanceof HTMLInputElement) return;
  // Num Lock is on when the browser says so, or when the keypad key gave its digit.
  const numLock = e.getModifierState("NumLock") || /^[0-9]$/.test(e.key);
  const modifiers = modifiersOf(e);
  // Plain export calls: ccall while the game waits would take over the waiting call's promise.
  const key = withString(e.key, (k) => withString(e.code, (c) =>
    game._kestrune_key(k, c, modifiers, numLock ? 1 : 0)));
  if (key < 0) return;
  e.preventDefault();
  page.closeMenus();
  const code = key >> 8;
  // A main-keyboard key runs by its name, through the player's key bindings.
  const name = code === Command.namedKey ? game.UTF8ToString(game._kestrune_key_name())
                                         : undefined;
  enqueue(code, key & 255, name, undefined, e.repeat);
}

async function start() {
  installAudio();
  game = await createKestrune({ page });
  const description = game.ccall("kestrune_start", "string", ["string"],
                                 [navigator.language || ""]);
  const described = JSON.parse(description);
  learnCommands(described.commands);
  page.build(described);
  document.getElementById("title").hidden = false;
  window.addEventListener("keydown", onKey);
  window.addEventListener("resize", () => enqueue(Command.resize));
  // A new pixel density alone (another monitor, the browser's zoom) fires no resize: the view
  // is drawn again at the device's pixels. The query names one ratio, so it is made anew.
  const watchDensity = () => {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener("change", () => {
      enqueue(Command.resize);
      watchDensity();
    }, { once: true });
  };
  watchDensity();
  setInterval(() => game._kestrune_timer1(), 999);
  window.addEventListener("pagehide", () => game._kestrune_unload());
  document.getElementById("importFile").addEventListener("change", async (e) => {
    const file = e.target.files[0];
    e.target.value = "";
    if (!file) return;
    // Anything larger than the game takes is not even read. The bytes go to the game as
    // they are: a file from Japanese Windows is not UTF-8.
    const bytes = file.size <= game._kestrune_import_limit()
      ? new Uint8Array(await file.arrayBuffer()) : new Uint8Array(0);
    enqueue(Command.import, 0, file.name, bytes);
  });
  // A link to a maze ("#maze=CODE") opens it, at start and when the address changes to one;
  // the game reads the code.
  const openLink = () => {
    if (!/^#maze=/i.test(location.hash)) return;
    let link = location.hash;
    try {
      link = decodeURIComponent(link);
    } catch {
      // kept as it is: the game says what is wrong with it
    }
    enqueue(Command.openLink, 0, link);
  };
  openLink();
  window.addEventListener("hashchange", openLink);
  pump();
  // For the tests and the figures.
  window.kestrune = { game, page, enqueue, audioState, ready: true, queued,
                      running: () => running,
                      idle: () => !running && queued() === 0 };
}

start();

if ("serviceWorker" in navigator && location.protocol !== "file:") {
  navigator.serviceWorker.register("sw.js").catch(() => {});
}
