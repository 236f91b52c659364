// Sound through Web Audio: the two effects from their WAV files (one voice, a new effect cuts
// off the last) and the music as one decoded loop. Browsers allow sound only after the
// player's first click or key, so everything waits for that.
let context = null;
const buffers = new Map();  // file name -> Promise<AudioBuffer|null>
let effect = null;          // the one effect voice
let music = null;           // { name, source }
let musicWanted = null;     // the piece the game has playing, even before sound is allowed

// The desktop plays the MIDI file; the page plays the loop rendered from it at build time.
function fileOf(name) {
  return name.toLowerCase().endsWith(".mid") ? name.slice(0, -4) + ".ogg" : name;
}

function load(name) {
  const file = fileOf(name);
  if (!buffers.has(file)) {
    buffers.set(file, fetch(file)
      .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error(r.statusText))))
      .then((bytes) => context.decodeAudioData(bytes))
      .catch(() => null));
  }
  return buffers.get(file);
}

function startMusic() {
  const name = musicWanted;
  if (!context || !name || (music && music.name === name)) return;
  stopMusic();
  const entry = { name, source: null };
  music = entry;
  load(name).then((buffer) => {
    if (!buffer || music !== entry) return;
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.loop = true;  // the buffer ends on the piece's last bar line: no gap
    source.connect(context.destination);
    source.start();
    entry.source = source;
  });
}

function stopMusic() {
  if (music && music.source) music.source.stop();
  music = null;
}

function unlock() {
  if (!context) {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    context = new Context();
  }
  if (context.state === "suspended") context.resume();
  startMusic();
}

export function installAudio() {
  for (const type of ["pointerdown", "keydown", "touchend"])
    window.addEventListener(type, unlock, { capture: true, passive: true });
}

// The music device and effect player of the C++ side (src/web/services.cpp).
export function musicStart(name) {
  musicWanted = name;
  stopMusic();
  startMusic();
}

export function musicStop() {
  musicWanted = null;
  stopMusic();
}

export function effectLoad(name) {
  if (context) load(name);
}

export function effectPlay(name) {
  if (!context || context.state !== "running") return;
  load(name).then((buffer) => {
    if (!buffer) return;
    if (effect) effect.stop();
    effect = context.createBufferSource();
    effect.buffer = buffer;
    effect.connect(context.destination);
    effect.start();
  });
}

// The default beep: a short tone.
export function beep() {
  if (!context || context.state !== "running") return;
  const tone = context.createOscillator();
  const gain = context.createGain();
  tone.frequency.value = 880;
  gain.gain.value = 0.08;
  tone.connect(gain).connect(context.destination);
  tone.start();
  tone.stop(context.currentTime + 0.12);
}

// For the tests: whether the music plays and which piece.
export function audioState() {
  return { context: context ? context.state : "none", music: musicWanted,
           playing: !!(music && music.source) };
}
