// Kestrune's page: loads the game (WebAssembly), hands it the page's shell and queues the
// player's input for it in order.
import createKestrune from "./kestrune.mjs";
import { installAudio, audioState } from "./audio.js";
import { Command, notInput } from "./commands.js";
import { Page } from "./page.js";

const queue = [];
let running = false;
let game = null;

// Every click, key and menu command waits its turn: while the game shows an animation, a
// box or "Please Wait", what the player does meanwhile runs afterwards, in order.
function enqueue(code, argument = 0, text = undefined) {
  if (page.dropInput && !notInput.has(code)) return;
  if (code === Command.resize && queue.length && queue[queue.length - 1].code === code) return;
  queue.push({ code, argument, text });
  pump();
}

async function pump() {
  if (running || !game) return;
  running = true;
  try {
    while (queue.length) await game.ccall("kestrune_pump", null, [], [], { async: true });
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
page.restartEnabled = () => game._kestrune_restart_enabled() === 1;
page.onLanguage = () => page.retext(JSON.parse(game.UTF8ToString(game._kestrune_description())));

function onKey(e) {
  if (!game || page.modal || e.isComposing) return;
  if (e.target instanceof HTMLInputElement) return;
  // Num Lock is on when the browser says so, or when the keypad key gave its digit.
  const numLock = e.getModifierState("NumLock") || /^[0-9]$/.test(e.key);
  // A plain export call: ccall while the game waits would take over the waiting call's promise.
  const size = e.code.length * 3 + 1;
  const code = game._malloc(size);
  game.stringToUTF8(e.code, code, size);
  const packed = game._kestrune_key(code, e.shiftKey, e.ctrlKey, e.altKey, numLock);
  game._free(code);
  if (packed < 0) return;
  e.preventDefault();
  page.closeMenus();
  enqueue(packed >> 8, packed & 255);
}

async function start() {
  installAudio();
  game = await createKestrune({ shell: page });
  const description = game.ccall("kestrune_start", "string", ["string"],
                                 [navigator.language || ""]);
  page.build(JSON.parse(description));
  document.getElementById("title").hidden = false;
  window.addEventListener("keydown", onKey);
  window.addEventListener("resize", () => enqueue(Command.resize));
  setInterval(() => game._kestrune_timer1(), 999);
  window.addEventListener("pagehide", () => game._kestrune_unload());
  document.getElementById("importFile").addEventListener("change", async (e) => {
    const file = e.target.files[0];
    e.target.value = "";
    if (!file) return;
    // Anything larger is no settings file; its text is not even read.
    const text = file.size <= 1024 * 1024 ? await file.text() : "";
    enqueue(Command.import, 0, `${file.name}\n${text}`);
  });
  pump();
  // For the tests and the figures.
  window.kestrune = { game, page, enqueue, audioState, ready: true, queue,
                      running: () => running,
                      idle: () => !running && queue.length === 0 };
}

start();

if ("serviceWorker" in navigator && location.protocol !== "file:") {
  navigator.serviceWorker.register("sw.js").catch(() => {});
}
