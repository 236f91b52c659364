// The map of explored cells in the browser: the menu item shows the panel, whose pixels are
// the native core's, redrawn after a step; the panel's close box turns it off.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { canvasPixels, endSession, idle, keypad, menu, openGame, practice, reference,
         settingsKey, startSession, storage } from "./lib.mjs";

let server;
let browser;
before(async () => ({ server, browser } = await startSession()));
after(() => endSession({ server, browser }));

async function expectNativeMap(page, commands) {
  const shown = await canvasPixels(page, "map");
  const native = execFileSync(reference, ["map", "practice", ...commands],
                              { maxBuffer: 64 << 20 });
  assert.equal(shown.data.length, native.length, "the map's size");
  let differing = 0;
  for (let i = 0; i < native.length; i += 4)
    if (native.readUInt32LE(i) !== shown.data.readUInt32LE(i)) ++differing;
  assert.equal(differing, 0, `${differing} map pixels differ after ${commands.join(" ")}`);
  return shown;
}

const shownMap = (page) => page.$eval("#mapPanel", (e) => !e.hidden);
const checked = (page) => page.$eval("#mnuMap", (e) => e.classList.contains("checked"));

test("the map: on from the menu and remembered, as native, redrawn after a step, off by its close box", async () => {
  // Wide enough for the map beside the game.
  const page = await openGame(browser, server, { width: 1500, height: 900 });
  await practice(page);
  assert.equal(await shownMap(page), false);
  await menu(page, "mnuOther", "mnuMap");
  await idle(page);
  assert.equal(await shownMap(page), true);
  assert.equal(await checked(page), true);
  assert.match(await storage(page, settingsKey), /^Map=1\r?$/m);
  const first = await expectNativeMap(page, ["M"]);

  await keypad(page, 5);  // 前進
  await idle(page);
  const stepped = await expectNativeMap(page, ["M", "A0"]);
  assert.notDeepEqual(stepped.data, first.data);

  await page.click("#mapPanel .caption button");
  await idle(page);
  assert.equal(await shownMap(page), false);
  assert.equal(await checked(page), false);
  assert.match(await storage(page, settingsKey), /^Map=0\r?$/m);
  assert.deepEqual(page.errors, []);
  await page.close();
});
