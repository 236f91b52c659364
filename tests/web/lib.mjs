// Helpers of the browser tests: the built site served on 127.0.0.1 only, headless Chromium
// from Debian driven by puppeteer-core, and the game's own hooks on window.kestrune.
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

const here = fileURLToPath(new URL(".", import.meta.url));
export const sourceDir = normalize(join(here, "..", ".."));
export const siteDir = process.env.KESTRUNE_SITE || join(sourceDir, "build-web", "site");

const types = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
  ".css": "text/css", ".wasm": "application/wasm", ".png": "image/png",
  ".svg": "image/svg+xml", ".wav": "audio/wav", ".ogg": "audio/ogg",
  ".webmanifest": "application/manifest+json",
};

// A static server for the site; counts the bytes it sends. `server.overrides` maps a path
// ("/sw.js") to the text served in place of the file.
export async function serveSite(site = siteDir) {
  // Resolved, so that a site given as a relative path ("../../build-web/site") still holds
  // the files it serves.
  const dir = resolve(site);
  const server = createServer(async (request, response) => {
    try {
      let path = decodeURIComponent(new URL(request.url, "http://x").pathname);
      if (path.endsWith("/")) path += "index.html";
      const file = normalize(join(dir, path));
      if (!file.startsWith(dir) || !(await stat(file)).isFile()) throw new Error("missing");
      const body = server.overrides.has(path) ? Buffer.from(server.overrides.get(path))
                                               : await readFile(file);
      server.bytesSent += body.length;
      response.writeHead(200, { "Content-Type": types[extname(file)] || "application/octet-stream",
                                "Cache-Control": "no-cache" });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  server.bytesSent = 0;
  server.overrides = new Map();
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  server.url = `http://127.0.0.1:${server.address().port}/`;
  server.siteDir = dir;
  return server;
}

export async function launch() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--headless=new", "--disable-gpu"],
  });
}

// The native core's reference program (its pictures, tower texts and maps), and the keys of
// the stored texts in the page's storage.
export const reference = process.env.KESTRUNE_REFERENCE ||
  join(sourceDir, "build", "kestrune_web_reference");
export const settingsKey = "kestrune/kestrune.ini";
export const towerKey = "kestrune/tower";

// A test file's site server and browser, started once before its tests, closed after them.
export async function startSession() {
  return { server: await serveSite(), browser: await launch() };
}
export async function endSession({ server, browser }) {
  await browser?.close();
  server?.close();
}

// A fresh page at the title window, with an empty (or the given) local storage; `address`
// follows the site's address ("#maze=…"); `touch` makes it a phone's page, fingers only.
export async function openGame(browser, server, { storage = {}, width = 800, height = 600,
                                                  language = "ja", scale = 1,
                                                  address = "", touch = false } = {}) {
  const page = await browser.newPage();
  page.on("pageerror", (e) => { page.errors.push(String(e)); });
  page.on("console", (m) => { if (m.type() === "error") page.errors.push(m.text()); });
  page.errors = [];
  await page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch,
                           isMobile: touch });
  await page.evaluateOnNewDocument((items, lang) => {
    if (!sessionStorage.getItem("kestrune-test-seeded")) {
      localStorage.clear();
      for (const [k, v] of Object.entries(items)) localStorage.setItem(k, v);
      sessionStorage.setItem("kestrune-test-seeded", "1");
    }
    Object.defineProperty(navigator, "language", { get: () => lang });
  }, storage, language);
  await page.goto(server.url + address, { waitUntil: "load" });
  await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
  return page;
}

// The title window's 練習, and the game window ready.
export async function practice(page) {
  await page.click("#cmdPractice");
  await idle(page);
}

// Waits until the game has run everything queued and waits for nothing.
export async function idle(page, timeout = 30000) {
  await page.waitForFunction(() => window.kestrune.idle() && !window.kestrune.page.modal,
                             { timeout, polling: 20 });
}

export async function text(page, id) {
  return page.$eval(`#${id}`, (e) => e.textContent);
}

export async function storage(page, key) {
  return page.evaluate((k) => localStorage.getItem(k), key);
}

// A canvas's pixels, RGBA: the view's unless another is named.
export async function canvasPixels(page, id = "view") {
  return page.evaluate((canvasId) => {
    const c = document.getElementById(canvasId);
    const data = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    let s = "";
    for (let i = 0; i < data.length; i += 8192)
      s += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
    return { width: c.width, height: c.height, data: btoa(s) };
  }, id).then((p) => ({ ...p, data: Buffer.from(p.data, "base64") }));
}

export async function menu(page, ...path) {
  for (const id of path) {
    await page.evaluate((i) => {
      const e = document.getElementById(i);
      (e.querySelector(":scope > .label") || e).click();
    }, id);
  }
}

// A keypad key with Num Lock on, as a real keyboard sends it: code "Numpad<d>", key "<d>".
// (puppeteer's own "Numpad5" is the key with Num Lock off.) `modifiers`: Alt 1, Ctrl 2,
// Shift 8.
export async function keypad(page, digit, modifiers = 0) {
  const session = page.cdp || (page.cdp = await page.createCDPSession());
  const key = { code: `Numpad${digit}`, key: String(digit), windowsVirtualKeyCode: 96 + digit,
                location: 3, modifiers };
  await session.send("Input.dispatchKeyEvent", { type: "keyDown", text: String(digit), ...key });
  await session.send("Input.dispatchKeyEvent", { type: "keyUp", ...key });
}
