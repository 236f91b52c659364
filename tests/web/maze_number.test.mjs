// Maze numbers in the browser: a link opens its maze, the same maze as the native build's
// (fingerprint and pixels); the address follows the maze in play; the box builds codes and
// refuses bad ones.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { canvasPixels, endSession, idle, menu, openGame, reference,
         startSession } from "./lib.mjs";

// The maze the native tests pin (tests/core/maze_code_test.cpp): 4D 上級 number 2026.
const pinnedCode = "4D-3-0002026-9";
const pinnedDigest = "0bb2ad7b7e2a2edd";

let server;
let browser;
before(async () => ({ server, browser } = await startSession()));
after(() => endSession({ server, browser }));

const digest = (page) => page.evaluate(() => {
  const game = window.kestrune.game;
  return game.UTF8ToString(game._kestrune_maze_digest());
});
const hash = (page) => page.evaluate(() => location.hash);

async function expectNativePicture(page, commands) {
  const shown = await canvasPixels(page);
  const native = execFileSync(reference, [String(shown.width), String(shown.height), "practice",
                                          ...commands], { maxBuffer: 64 << 20 });
  let differing = 0;
  for (let i = 0; i < native.length; i += 4)
    if (native.readUInt32LE(i) !== shown.data.readUInt32LE(i)) ++differing;
  assert.equal(differing, 0, `${differing} pixels differ from the native ${commands.join(" ")}`);
}

// Types a code into the box and presses its build button.
async function typeCode(page, code) {
  await menu(page, "mnuFile", "mnuMazeNumber");
  await page.waitForSelector("#mazeCodeEntry");
  await page.$eval("#mazeCodeEntry", (e) => { e.value = ""; });
  await page.type("#mazeCodeEntry", code);
  await page.click("#mazeCodeBuild");
}

describe("maze numbers in the browser", () => {
  test("a link opens its maze at once, the native one; the box and the address follow", async () => {
    const page = await openGame(browser, server, { address: `#maze=${pinnedCode}` });
    await idle(page);
    assert.equal(await page.$eval("#title", (e) => e.hidden), true);  // no title choice
    assert.equal(await page.title(), "4次元迷路：難易度 上級");
    assert.equal(await digest(page), pinnedDigest);
    assert.equal(await hash(page), `#maze=${pinnedCode}`);
    await expectNativePicture(page, [`C${pinnedCode}`]);
    const steps = await page.evaluate(() => history.length);

    // The box shows the code; a mistyped one is told and changes nothing.
    await menu(page, "mnuFile", "mnuMazeNumber");
    await page.waitForSelector("#mazeCode");
    assert.equal(await page.$eval("#mazeCode", (e) => e.value), pinnedCode);
    await page.click("#mazeCodeBuild");  // nothing typed: closes
    await idle(page);
    const typo = "4D-3-0020026-9";
    await typeCode(page, typo);
    await page.waitForSelector(".dialog:not(#mazeNumber)");
    assert.match(await page.$eval(".dialog:not(#mazeNumber) .text", (e) => e.textContent),
                 /迷路は変わっていません/);
    await page.click(".dialog:not(#mazeNumber) button");
    await page.waitForSelector("#mazeCodeEntry");
    assert.equal(await page.$eval("#mazeCodeEntry", (e) => e.value), typo);
    await page.click("#mazeNumber .buttons button:last-child");  // 閉じる
    await idle(page);
    assert.equal(await digest(page), pinnedDigest);
    assert.equal(await hash(page), `#maze=${pinnedCode}`);

    // F6: a new random maze, whose link the address shows without a new history entry.
    await page.keyboard.press("F6");
    await idle(page);
    const other = await hash(page);
    assert.match(other, /^#maze=4D-3-\d{7}-\d$/);
    assert.notEqual(other, `#maze=${pinnedCode}`);
    assert.notEqual(await digest(page), pinnedDigest);

    // The first code typed back, in lower case with spaces, builds the pinned maze again.
    await typeCode(page, " 4d 3 0002026 9");
    await idle(page);
    assert.equal(await digest(page), pinnedDigest);
    assert.equal(await hash(page), `#maze=${pinnedCode}`);
    assert.equal(await page.evaluate(() => history.length), steps);

    // A figure has no code: the address loses its link.
    await menu(page, "mnuFile", "mnuFMJigen", "mnuDimension2", "mnuFigures2", "mnuFigure21");
    await idle(page);
    assert.equal(await hash(page), "");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("a link that names no maze starts practice and says so", async () => {
    const page = await openGame(browser, server, { address: "#maze=4D-3-0002026-8" });
    await page.waitForSelector(".dialog");
    assert.match(await page.$eval(".dialog .text", (e) => e.textContent), /4D-3-0002026-8/);
    await page.click(".dialog button");
    await idle(page);
    assert.equal(await page.title(), "4次元迷路： ブランク");
    assert.equal(await hash(page), "");
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});
