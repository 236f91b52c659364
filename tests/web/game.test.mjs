// The browser game end to end in headless Chromium: what a player does, and the pictures
// compared pixel for pixel with the native core's.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { canvasPixels, idle, keypad, launch, menu, openGame, serveSite, sourceDir, storage,
         text } from "./lib.mjs";

const reference = process.env.KESTRUNE_REFERENCE ||
  join(sourceDir, "build", "kestrune_web_reference");
const settingsKey = "kestrune/kestrune.ini";
const towerKey = "kestrune/tower";

let server;
let browser;
before(async () => {
  server = await serveSite();
  browser = await launch();
});
after(async () => {
  await browser?.close();
  server?.close();
});

// The native core's picture after the same commands, as RGBA bytes.
function nativePicture(width, height, mode, commands) {
  return execFileSync(reference, [String(width), String(height), mode, ...commands],
                      { maxBuffer: 64 << 20 });
}

async function expectSamePicture(page, mode, commands) {
  const shown = await canvasPixels(page);
  const native = nativePicture(shown.width, shown.height, mode, commands);
  let differing = 0;
  for (let i = 0; i < native.length; i += 4)
    if (native.readUInt32LE(i) !== shown.data.readUInt32LE(i)) ++differing;
  assert.equal(differing, 0, `${differing} of ${native.length / 4} pixels differ after ` +
                             `${mode} ${commands.join(" ")}`);
}

async function key(page, code, modifier) {
  if (modifier) await page.keyboard.down(modifier);
  await page.keyboard.press(code);
  if (modifier) await page.keyboard.up(modifier);
  await idle(page);
}

// Opens the menus along the way and clicks the last item.
async function choose(page, ...ids) {
  await menu(page, ...ids);
  await idle(page);
}

async function startPractice(page) {
  await page.click("#cmdPractice");
  await idle(page);
}

describe("the browser game", () => {
  test("title, practice, a walk with the keypad and the arrow keys, pictures as native", async () => {
    assert.ok(existsSync(reference), `the native reference program is built: ${reference}`);
    const page = await openGame(browser, server);
    assert.equal(await text(page, "Label1"), "塔に登る");
    assert.equal(await text(page, "cmdPractice"), "練習");
    await startPractice(page);
    assert.equal(await page.title(), "4次元迷路： ブランク");
    assert.equal(await text(page, "lblGoal"), "ありません");
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,0,0,0");
    await expectSamePicture(page, "practice", []);

    const done = [];
    await key(page, "Numpad5");  // Num Lock off: the keypad does nothing
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,0,0,0");
    await keypad(page, 5);  // 前進
    await idle(page);
    done.push("A0");
    assert.equal(await text(page, "lblZahyou"), "現在地は 1,0,0,0");
    await expectSamePicture(page, "practice", done);
    await keypad(page, 4, 8);  // Shift: 左未 (S4)
    await idle(page);
    done.push("R8");
    assert.equal(await text(page, "lblHoukou1"), "W 軸 +");
    await expectSamePicture(page, "practice", done);
    await key(page, "ArrowUp");  // the second layout: 前進
    done.push("A0");
    assert.equal(await text(page, "lblZahyou"), "現在地は 2,0,0,0");
    await key(page, "ArrowLeft");  // 左
    done.push("R0");
    await key(page, "ArrowUp");
    done.push("A0");
    await expectSamePicture(page, "practice", done);
    const position = await text(page, "lblZahyou");
    await keypad(page, 1);  // nothing
    await idle(page);
    await key(page, "Digit5");  // main-keyboard digits do nothing either
    assert.equal(await text(page, "lblZahyou"), position);
    await choose(page, "mnuAnimation0");  // アニメーション無し: the plain view
    done.push("N0");
    await expectSamePicture(page, "practice", done);
    assert.equal(await text(page, "lblZahyou"), position);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});
