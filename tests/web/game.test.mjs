// The browser game end to end in headless Chromium: what a player does, and the pictures
// compared pixel for pixel with the native core's.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { canvasPixels, endSession, idle, keypad, menu, openGame, practice, reference, settingsKey,
         sourceDir, startSession, storage, text, towerKey } from "./lib.mjs";

let server;
let browser;
before(async () => ({ server, browser } = await startSession()));
after(() => endSession({ server, browser }));

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

describe("the browser game", () => {
  test("title, practice, a walk with the keypad and the arrow keys, pictures as native", async () => {
    assert.ok(existsSync(reference), `the native reference program is built: ${reference}`);
    const page = await openGame(browser, server);
    assert.equal(await text(page, "Label1"), "塔に登る");
    assert.equal(await text(page, "cmdPractice"), "練習");
    await practice(page);
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

  test("keys pressed during an animation wait and run afterwards, in order", async () => {
    const page = await openGame(browser, server);
    await practice(page);
    await choose(page, "mnuAnimation7");  // 64 pictures a turn: about a second
    await keypad(page, 4);                // 左
    await page.keyboard.press("ArrowUp"); // 前進, while the turn is still shown
    await keypad(page, 5);                // 前進 again
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,0,0,0");
    await idle(page);
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,2,0,0");
    await expectSamePicture(page, "practice", ["N7", "R0", "A0", "A0"]);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("a held key acts at the game's pace and stops one action after release; presses are kept", async () => {
    const page = await openGame(browser, server);
    await practice(page);  // 8 pictures a step, the default
    const session = await page.createCDPSession();
    const arrow = { key: "ArrowUp", code: "ArrowUp", windowsVirtualKeyCode: 38 };
    const send = (type, autoRepeat = false) =>
      session.send("Input.dispatchKeyEvent", { type, autoRepeat, ...arrow });
    // Held: the press, then the system's auto-repeats while the first step is shown.
    await send("keyDown");
    for (let i = 0; i < 39; ++i) await send("keyDown", true);
    const waiting = await page.evaluate(() => window.kestrune.queued());
    const before = Number((await text(page, "lblZahyou")).split(" ")[1].split(",")[0]);
    await send("keyUp");
    assert.ok(waiting <= 1, `${waiting} steps still waiting at release`);
    await idle(page);
    const held = Number((await text(page, "lblZahyou")).split(" ")[1].split(",")[0]);
    assert.ok(held >= 2 && held <= before + 2, `held: ${before} at release, ${held} after`);
    // Two presses of their own during a step: both act.
    await send("keyDown");
    await send("keyUp");
    await send("keyDown");
    await send("keyUp");
    await idle(page);
    assert.equal(await text(page, "lblZahyou"), `現在地は ${held + 2},0,0,0`);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("座標を見る slides the strip out and back, and the game goes on meanwhile and after", async () => {
    const page = await openGame(browser, server);
    await practice(page);
    const stripTop = () => page.$eval("#picture2", (e) => parseInt(e.style.top, 10));
    const shown = await stripTop();
    // Every top the strip passes through, as the page shows it.
    await page.evaluate(() => {
      const strip = document.getElementById("picture2");
      window.stripTops = [];
      new MutationObserver(() => window.stripTops.push(parseInt(strip.style.top, 10)))
        .observe(strip, { attributes: true, attributeFilter: ["style"] });
    });
    await choose(page, "mnuOther", "mnuZahyou");
    const out = await page.evaluate(() => window.stripTops.splice(0));
    assert.ok(new Set(out).size >= 3, `the strip slid: ${out.length} positions`);
    assert.ok(out[0] > shown && out[0] < shown + 25, `starts down from ${shown}: ${out[0]}`);
    assert.ok(out.at(-1) > shown + 20, `out of sight below: ${out.at(-1)}, ${shown}`);
    assert.equal(await page.$eval("#picture2", (e) => e.hidden), true);
    assert.equal(await page.$eval("#mnuZahyou", (e) => e.classList.contains("checked")), false);
    await keypad(page, 5);
    await idle(page);
    assert.equal(await text(page, "lblZahyou"), "現在地は 1,0,0,0");

    // Back in, with a step queued behind it.
    await menu(page, "mnuOther", "mnuZahyou");
    await keypad(page, 6);
    await idle(page);
    const back = await page.evaluate(() => window.stripTops.splice(0));
    assert.equal(back.at(-1), shown);
    assert.ok(new Set(back).size >= 3, `the strip slid back: ${back.length} positions`);
    assert.equal(await page.$eval("#picture2", (e) => e.hidden), false);
    assert.equal(await page.$eval("#mnuZahyou", (e) => e.classList.contains("checked")), true);
    await expectSamePicture(page, "practice", ["A0", "R1"]);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("a narrow window at twice the pixel density: the device's pixels, the same picture", async () => {
    // The narrow strip is the classic layout's.
    const page = await openGame(browser, server, { width: 420, height: 380, scale: 2,
      storage: { [settingsKey]: "[Kestrune]\r\nLayout=classic\r\n" } });
    await practice(page);
    const size = await page.$eval("#view", (c) => [c.width, c.height, c.clientWidth]);
    assert.equal(size[0], 2 * size[2]);
    assert.equal(await page.$eval("#Label6", (e) => e.hidden), true);  // the narrow strip
    assert.equal(await text(page, "lblZahyou"), "0,0,0,0");
    await expectSamePicture(page, "practice", []);
    await keypad(page, 6);
    await idle(page);
    await expectSamePicture(page, "practice", ["R1"]);
    await page.close();
  });

  test("a 2D maze cleared by auto cruise: the record asked for, stored and ranked", async () => {
    const page = await openGame(browser, server);
    await practice(page);
    await choose(page, "mnuAnimation0");
    await choose(page, "mnuFile", "mnuFMJigen", "mnuDimension1", "mnuLevel11");
    assert.equal(await page.title(), "2次元迷路：難易度 初級");
    // The music plays (after the first click, as browsers allow) and stops at the clear.
    await page.waitForFunction(() => window.kestrune.audioState().playing, { timeout: 20000 });
    assert.equal((await page.evaluate(() => window.kestrune.audioState())).music, "bgm.mid");
    await menu(page, "mnuFile", "mnuAutoClouse");  // runs until the record box asks
    await page.waitForSelector("#inputBoxText", { timeout: 60000 });
    const prompt = await page.$eval(".dialog .text", (e) => e.textContent);
    assert.match(prompt, /^新記録達成！！\nお名前をどうぞ。/);
    assert.equal(await page.$eval(".dialog .caption", (e) => e.textContent), "名前入力");
    assert.equal(await page.$eval("#picClear", (e) => e.hidden), false);
    assert.deepEqual(await page.evaluate(() => window.kestrune.audioState()),
                     { context: "running", music: null, playing: false });
    await page.type("#inputBoxText", "Ann 7");
    await page.keyboard.press("Enter");
    // Auto cruise goes on at the goal until the player stops it, as on the desktop.
    assert.equal(await text(page, "mnuAutoClouse"), "オートクルーズ停止");
    await choose(page, "mnuFile", "mnuAutoClouse");
    const ini = await storage(page, settingsKey);
    assert.match(ini, /^\[Kestrune\]$/m);
    assert.match(ini, /^Name10=Ann 7$/m);
    const seconds = Number(/^Time10=(\d+)$/m.exec(ini)[1]);
    assert.ok(seconds >= 0 && seconds < 60, `a short clear: ${seconds} s`);
    assert.equal(await text(page, "lblName0"), "Ann 7");
    assert.equal(await text(page, "lblTime0"), `0:${String(seconds).padStart(2, "0")}`);
    assert.equal(await text(page, "mnuAutoClouse"), "オートクルーズ");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("a tower floor climbed by hand: the stored tower text, and a reload resumes there", async () => {
    const page = await openGame(browser, server);
    await page.click("#cmdTower");
    await idle(page);
    assert.equal(await page.title(), "5duzu：1階");
    await choose(page, "mnuAnimation0");
    // Hint and a step, as a player following the hint would, until the staircase asks.
    const asked = await page.evaluate(async () => {
      const k = window.kestrune;
      for (let i = 0; i < 2000 && !document.querySelector(".dialog"); ++i) {
        k.enqueue(11);      // ヒント
        k.enqueue(4, 5);    // keypad 5
        while (!k.idle() && !document.querySelector(".dialog"))
          await new Promise((r) => setTimeout(r, 1));
      }
      return document.querySelector(".dialog .text")?.textContent;
    });
    assert.equal(asked, "次の階へ向かう階段がある。\n\n登りますか？");
    await page.click(".dialog .buttons button");  // はい
    await idle(page);
    assert.equal(await page.title(), "5duzu：2階");
    const tower = await storage(page, towerKey);
    const lines = tower.split("\r\n");
    assert.equal(lines.length, 22);
    assert.equal(lines[21], "");
    assert.equal(lines[0], "2");
    const cell = lines.slice(1, 5).map(Number);
    assert.ok(cell.every((c) => c >= 4 && c <= 16), `start cell inside: ${cell}`);
    const position = await text(page, "lblZahyou");
    assert.equal(position, `現在地は ${cell.map((c) => c - 4).join(",")}`);
    const picture = await canvasPixels(page);

    await page.reload({ waitUntil: "load" });
    await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
    await page.click("#cmdTower");
    await idle(page);
    assert.equal(await page.title(), "5duzu：2階");
    assert.equal(await text(page, "lblZahyou"), position);
    assert.ok((await canvasPixels(page)).data.equals(picture.data), "the same picture");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("restarting the tower asks first: No keeps everything, Yes goes to floor 1 and forgets the floor, not the records", async () => {
    const floor7 = ["7", "4", "4", "4", "4", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "1",
                    "0", "0", "0", "0", "1", ""].join("\r\n");
    const records = "[Kestrune]\r\nAnimation=-1\r\nTime10=83\r\nName10=Ann\r\n";
    const page = await openGame(browser, server,
                                { storage: { [towerKey]: floor7, [settingsKey]: records } });
    await page.click("#cmdTower");
    await idle(page);
    assert.equal(await page.title(), "5duzu：7階");
    const picture = await canvasPixels(page);
    const ask = async (answer) => {
      await menu(page, "mnuFile", "mnuTowerRestart");
      await page.waitForSelector(".dialog");
      assert.match(await page.$eval(".dialog .text", (e) => e.textContent), /1階からやり直しますか/);
      const buttons = await page.$$(".dialog .buttons button");
      await buttons[answer === "yes" ? 0 : 1].click();  // はい, いいえ
      await idle(page);
    };

    await ask("no");
    assert.equal(await page.title(), "5duzu：7階");
    assert.equal(await storage(page, towerKey), floor7);
    assert.ok((await canvasPixels(page)).data.equals(picture.data), "the same picture");

    await ask("yes");
    assert.equal(await page.title(), "5duzu：1階");
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,0,0,0");
    assert.equal(await storage(page, towerKey), null);
    const kept = await storage(page, settingsKey);
    assert.match(kept, /Time10=83\r\nName10=Ann/);

    await page.reload({ waitUntil: "load" });
    await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
    await page.click("#cmdTower");
    await idle(page);
    assert.equal(await page.title(), "5duzu：1階");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("floor 99: the ending plays to its end, the staircase is asked, the tower goes on", async () => {
    const start = execFileSync(reference, ["next-to-goal", "99"]).toString();
    const page = await openGame(browser, server, { storage: { [towerKey]: start } });
    // The page's pauses shortened; the ending's own steps are all played.
    const mail = await page.evaluate(() => {
      const k = window.kestrune;
      k.page.pauseScale = 0.02;
      k.opened = [];
      k.page.open = (url) => k.opened.push(url);
    });
    assert.equal(mail, undefined);
    await page.click("#cmdTower");
    await idle(page);
    assert.equal(await page.title(), "5duzu：99階");
    await keypad(page, 5);  // onto the staircase
    await page.waitForFunction(() => document.getElementById("Label5_31"), { timeout: 30000 });
    assert.equal(await page.$eval("#picClear", (e) => e.hidden), false);
    // Input during the ending is dropped.
    await keypad(page, 4);
    assert.equal(await page.evaluate(() => window.kestrune.queued()), 0);
    await page.waitForSelector(".dialog", { timeout: 120000 });
    assert.equal(await text(page, "Label5_0"), "You are the greatest!!");
    assert.equal(await text(page, "Label5_30"), "「Kestrune」");
    assert.equal(await page.$eval("#picEnding", (e) => e.style.top), `${-34 * 25}px`);
    const opened = await page.evaluate(() => window.kestrune.opened);
    assert.equal(opened.length, 1);
    assert.match(opened[0], /^mailto:.*\?subject=duderクリアしました$/);
    assert.equal(await page.$eval(".dialog .text", (e) => e.textContent),
                 "次の階へ向かう階段がある。\n\n登りますか？");
    await page.click(".dialog .buttons button");  // はい
    await idle(page);
    assert.equal(await page.title(), "5duzu：100階");
    assert.equal((await storage(page, towerKey)).split("\r\n")[0], "100");
    assert.equal(await page.$eval("#picClear", (e) => e.hidden), true);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("in English from the browser's language, switched live to Japanese and kept", async () => {
    const page = await openGame(browser, server, { language: "en-GB" });
    assert.equal(await text(page, "Label1"), "Tower");
    assert.equal(await text(page, "cmdPractice"), "Practice");
    await practice(page);
    assert.equal(await page.title(), "4D maze — empty box");
    assert.equal(await text(page, "lblGoal"), "none");
    assert.equal(await text(page, "lblZahyou"), "Position: 0,0,0,0");
    assert.equal(await text(page, "lblHoukou0"), "Facing +X");
    const menus = () => page.$$eval("#menubar > .menu > .label", (l) => l.map((e) => e.textContent));
    assert.deepEqual(await menus(), ["Maze", "Options", "Help"]);
    assert.equal(await text(page, "mnuAutoClouse"), "Auto cruise");
    assert.equal(await page.$eval("#mnuLanguage1", (e) => e.classList.contains("checked")), true);
    // Every caption fits its button; the tooltips name the action, then both keys.
    const clipped = await page.$$eval("#picCon button", (b) =>
      b.filter((e) => e.scrollWidth > e.clientWidth).map((e) => e.textContent));
    assert.deepEqual(clipped, []);
    assert.equal(await page.$eval("#Ahead0", (e) => e.title), "Step forward: keypad 5 / ↑");
    assert.equal(await page.$eval("#Rot8", (e) => e.title), "Swing left to ana: keypad Shift+4 / Shift+←");
    // Nothing is stored for the language until the player chooses one.
    assert.doesNotMatch(await storage(page, settingsKey), /Language/);

    await keypad(page, 5);
    await idle(page);
    await choose(page, "mnuOther", "mnuLanguage0");  // 日本語: every text at once, the game kept
    assert.deepEqual(await menus(), ["迷路", "その他", "ヘルプ"]);
    assert.equal(await page.title(), "4次元迷路： ブランク");
    assert.equal(await text(page, "lblZahyou"), "現在地は 1,0,0,0");
    assert.equal(await text(page, "Label6"), "ゴールは");
    assert.equal(await text(page, "Ahead0"), "前進(5)");
    assert.equal(await page.$eval("#Ahead0", (e) => e.title), "前進する: テンキー 5 / ↑");
    assert.equal(await text(page, "mnuAutoClouse"), "オートクルーズ");
    assert.match(await storage(page, settingsKey), /^Language=ja$/m);

    await page.reload({ waitUntil: "load" });  // the choice outlives the browser's language
    await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
    assert.equal(await text(page, "cmdPractice"), "練習");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("the main-keyboard keys are the stored [Keys]: a rebound key walks, the old one is the browser's; the key settings rebind", async () => {
    const page = await openGame(browser, server, { storage: {
      [settingsKey]: "[Keys]\r\nAhead=W\r\nBack=Shift+Ctrl+x\r\n" } });
    await practice(page);
    assert.equal(await page.$eval("#Ahead0", (e) => e.title), "前進する: テンキー 5 / W");
    const moved = await page.evaluate(() => {
      const e = new KeyboardEvent("keydown", { key: "ArrowUp", code: "ArrowUp", cancelable: true });
      window.dispatchEvent(e);
      return e.defaultPrevented;
    });
    assert.equal(moved, false, "an unbound arrow stays the browser's");
    await idle(page);
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,0,0,0");
    await key(page, "KeyW");
    assert.equal(await text(page, "lblZahyou"), "現在地は 1,0,0,0");
    await key(page, "KeyX", "Shift");  // Back is Ctrl+Shift+X: Shift alone is not it
    assert.equal(await text(page, "lblZahyou"), "現在地は 1,0,0,0");
    await page.keyboard.down("Control");
    await key(page, "KeyX", "Shift");
    await page.keyboard.up("Control");
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,0,0,0");
    await key(page, "ArrowLeft");  // a default left as it was: 左
    await key(page, "KeyW");
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,1,0,0");
    await expectSamePicture(page, "practice", ["A0", "A1", "R0", "A0"]);

    // "キー設定…": a free key binds, a taken one is refused with a message, OK stores.
    await menu(page, "mnuOther", "mnuKeys");
    await page.waitForSelector("#keySettings");
    assert.equal(await text(page, "keyField0"), "W");
    await page.click("#keyField0");
    await page.keyboard.press("KeyR");
    assert.equal(await text(page, "keyField0"), "R");
    await page.keyboard.press("ArrowLeft");
    await page.waitForSelector(".dialog:not(#keySettings)");
    assert.equal(await page.$eval(".dialog:not(#keySettings) .text", (e) => e.textContent),
                 "← はもう「左を向く」に使われています。ほかのキーを選んでください。");
    await page.click(".dialog:not(#keySettings) button");
    assert.equal(await text(page, "keyField0"), "R");
    await page.click("#keySettingsOk");
    await idle(page);
    assert.match(await storage(page, settingsKey), /^Ahead=R\r$/m);
    assert.equal(await page.$eval("#Ahead0", (e) => e.title), "前進する: テンキー 5 / R");
    await key(page, "KeyR");
    assert.equal(await text(page, "lblZahyou"), "現在地は 0,2,0,0");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("records exported to a file and imported again; a bad file is refused", async () => {
    const stored = "[Kestrune]\r\nAnimation=3\r\nTime10=12\r\nName10=Bo\r\n";
    const page = await openGame(browser, server, { storage: { [settingsKey]: stored } });
    await practice(page);
    const folder = mkdtempSync(join(tmpdir(), "kestrune-download-"));
    const session = await page.createCDPSession();
    await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
    await choose(page, "mnuOther", "mnuExport");
    const file = join(folder, "kestrune.ini");
    for (let i = 0; i < 200 && !existsSync(file); ++i) await new Promise((r) => setTimeout(r, 25));
    const exported = readFileSync(file, "utf8");
    assert.equal(exported, await storage(page, settingsKey));
    assert.match(exported, /^Name10=Bo$/m);
    assert.match(exported, /^Time33=3600$/m);  // the whole table, defaults filled in

    // Another player's records replace these...
    await page.evaluate((k) => localStorage.setItem(k, "[Kestrune]\nTime10=99\n"), settingsKey);
    // ...until the exported file comes back.
    const input = await page.$("#importFile");
    await input.uploadFile(file);
    await page.waitForSelector(".dialog");
    assert.match(await page.$eval(".dialog .text", (e) => e.textContent), /kestrune\.ini/);
    await page.click(".dialog .buttons button");
    await idle(page);
    assert.equal(await storage(page, settingsKey), exported);
    assert.equal(await text(page, "lblName0"), "Bo");

    // A file that is no settings file changes nothing.
    const bad = join(folder, "picture.ini");
    writeFileSync(bad, readFileSync(join(sourceDir, "assets", "tower.png")));
    await input.uploadFile(bad);
    await page.waitForSelector(".dialog");
    const refusal = await page.$eval(".dialog .text", (e) => e.textContent);
    assert.match(refusal, /「picture\.ini」は Kestrune の記録ファイルではありません/);
    await page.click(".dialog .buttons button");
    await idle(page);
    assert.equal(await storage(page, settingsKey), exported);
    assert.deepEqual(readdirSync(folder).sort(), ["kestrune.ini", "picture.ini"]);

    // A file from Japanese Windows: its Shift-JIS name arrives readable.
    const windows = join(folder, "windows.ini");
    writeFileSync(windows, Buffer.concat([Buffer.from("[Kestrune]\r\nTime10=7\r\nName10="),
                                          Buffer.from([0x95, 0x5c, 0xc0, 0xdb, 0xb3]),
                                          Buffer.from("\r\n")]));
    await input.uploadFile(windows);
    await page.waitForSelector(".dialog");
    await page.click(".dialog .buttons button");
    await idle(page);
    assert.equal(await text(page, "lblName0"), "表ﾀﾛｳ");
    assert.match(await storage(page, settingsKey), /^Name10=表ﾀﾛｳ\r$/m);

    // A file with a byte-order mark keeps it; its animation counts at once and outlives the
    // page (the window's unload stores the setting in force).
    const marked = join(folder, "marked.ini");
    writeFileSync(marked, "\ufeff[Kestrune]\r\nAnimation=0\r\nTime10=9\r\nName10=Cy\r\n");
    await input.uploadFile(marked);
    await page.waitForSelector(".dialog");
    await page.click(".dialog .buttons button");
    await idle(page);
    assert.equal(await page.$eval("#mnuAnimation1", (e) => e.classList.contains("checked")), true);
    assert.equal((await storage(page, settingsKey)).slice(0, 11), "\ufeff[Kestrune]");
    await page.reload({ waitUntil: "load" });
    await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
    const kept = await storage(page, settingsKey);
    assert.equal(kept.slice(0, 11), "\ufeff[Kestrune]");
    assert.match(kept, /^Animation=0\r$/m);
    assert.match(kept, /^Name10=Cy\r$/m);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("ランキング表 and the About box come to the front as they are, not read again", async () => {
    const page = await openGame(browser, server, { storage: {
      [settingsKey]: "[Kestrune]\nTime10=12\nName10=Bo\n" } });
    await practice(page);
    await choose(page, "mnuOther", "mnuHRanking");
    await choose(page, "mnuHelp", "mnuHVarsion");
    const top = () => page.evaluate(() =>
      [...document.querySelectorAll(".window.floating")].map((w) => w.id).at(-1));
    assert.equal(await top(), "version");
    await page.evaluate((k) => {
      for (const id of ["ranking", "version"]) document.getElementById(id).dataset.first = "1";
      localStorage.setItem(k, "[Kestrune]\nTime10=5\nName10=Di\n");
    }, settingsKey);
    await choose(page, "mnuOther", "mnuHRanking");
    assert.equal(await top(), "ranking");
    assert.equal(await page.$eval("#ranking", (e) => e.dataset.first), "1");
    assert.equal(await text(page, "lblName0"), "Bo");
    await choose(page, "mnuHelp", "mnuHVarsion");
    assert.equal(await top(), "version");
    assert.equal(await page.$eval("#version", (e) => e.dataset.first), "1");
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("a refused write is told to the player and keeps what was stored", async () => {
    const page = await openGame(browser, server, { storage: {
      [settingsKey]: "[Kestrune]\nAnimation=3\nLanguage=ja\nTime10=12\nName10=Bo\n" } });
    await practice(page);
    const stored = await storage(page, settingsKey);  // the keys' defaults added at the start
    assert.match(stored, /^Name10=Bo$/m);
    await page.evaluate(() => {
      Storage.prototype.setItem = () => {
        throw new DOMException("full", "QuotaExceededError");
      };
    });
    await choose(page, "mnuOther", "mnuHRanking");  // fills in the missing records: a write
    assert.equal(await page.$eval("#notice", (e) => e.hidden), false);
    assert.match(await text(page, "notice"), /保存できませんでした/);
    assert.equal(await storage(page, settingsKey), stored);
    assert.equal(await text(page, "lblName0"), "Bo");
    await page.close();
  });

  test("offline after one visit; a new build's worker replaces the cache", async () => {
    const page = await openGame(browser, server);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const first = await page.evaluate(async () => (await caches.keys()).filter((k) =>
      k.startsWith("kestrune-")));
    assert.equal(first.length, 1);
    const cached = await page.evaluate(async (name) =>
      (await (await caches.open(name)).keys()).map((r) => new URL(r.url).pathname), first[0]);
    for (const file of ["/", "/kestrune.wasm", "/kestrune.mjs", "/bgm.ogg", "/dom.wav",
                        "/kestrune.html", "/manifest.webmanifest"])
      assert.ok(cached.includes(file), `${file} cached`);

    await page.setOfflineMode(true);
    await page.reload({ waitUntil: "load" });
    await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
    await practice(page);
    assert.equal(await page.title(), "4次元迷路： ブランク");
    await page.setOfflineMode(false);

    // The next build: a worker with another cache name takes over and drops the old cache.
    const worker = readFileSync(join(server.siteDir, "sw.js"), "utf8");
    server.overrides.set("/sw.js", worker.replace(first[0], "kestrune-nextbuild"));
    try {
      await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
      await page.waitForFunction(async () => {
        const keys = (await caches.keys()).filter((k) => k.startsWith("kestrune-"));
        return keys.length === 1 && keys[0] === "kestrune-nextbuild";
      }, { timeout: 30000 });
    } finally {
      server.overrides.clear();
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});
