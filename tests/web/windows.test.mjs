// The page's windows in the browser: menus above floating windows and owning the keys while
// open, windows dragged inside the page and kept where they were put, a new pixel density
// drawn, and no fixed text clipped at the common device pixel ratios.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { canvasPixels, endSession, idle, keypad, menu, openGame,
         practice, settingsKey, startSession } from "./lib.mjs";

let server;
let browser;
before(async () => ({ server, browser } = await startSession()));
after(() => endSession({ server, browser }));

const rect = (page, id) => page.$eval(`#${id}`, (e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
});
const centre = (r) => ({ x: (r.left + r.right) / 2, y: (r.top + r.bottom) / 2 });
const menuOpen = (page) => page.evaluate(() =>
  [...document.querySelectorAll("#menubar .dropdown")].some((d) => !d.hidden));
// Drags a window by its caption with the mouse.
async function drag(page, id, dx, dy) {
  const grip = await page.$eval(`#${id} > .caption > span`, (e) => {
    const r = e.getBoundingClientRect();
    return { x: r.left + 5, y: r.top + r.height / 2 };
  });
  await page.mouse.move(grip.x, grip.y);
  await page.mouse.down();
  await page.mouse.move(grip.x + dx / 2, grip.y + dy / 2, { steps: 3 });
  await page.mouse.move(grip.x + dx, grip.y + dy, { steps: 3 });
  await page.mouse.up();
}

const mapShown = (page) => page.$eval("#mapPanel", (e) => !e.hidden);

test("an open menu is above the ranking and has the keys: clicks and Enter reach its items, no key reaches the game", async () => {
  const page = await openGame(browser, server, { width: 1024, height: 768 });
  await practice(page);
  await menu(page, "mnuOther", "mnuHRanking");
  await idle(page);
  // The ranking put over the menus; "地図" lies under it, a real click on it turns the map on.
  await drag(page, "ranking", -500, -500);
  await page.click("#mnuOther > .label");
  const item = await rect(page, "mnuMap");
  const ranking = await rect(page, "ranking");
  const under = centre(item);
  assert.ok(under.x > ranking.left && under.x < ranking.right && under.y > ranking.top &&
            under.y < ranking.bottom, "the item lies under the ranking window");
  await page.mouse.click(under.x, under.y);
  await idle(page);
  assert.equal(await mapShown(page), true);
  assert.equal(await menuOpen(page), false);

  // While a menu is open a game key does nothing; once it is closed the same key turns.
  const before = (await canvasPixels(page)).data;
  await page.click("#mnuFile > .label");
  await keypad(page, 4);
  await page.keyboard.press("ArrowLeft");  // the previous menu, not a turn
  await idle(page);
  assert.equal(await menuOpen(page), true);
  assert.ok(before.equals((await canvasPixels(page)).data), "the view did not move");
  await page.keyboard.press("Escape");
  assert.equal(await menuOpen(page), false);
  await idle(page);
  assert.ok(before.equals((await canvasPixels(page)).data), "Escape did not act in the game");
  await keypad(page, 4);
  await idle(page);
  assert.ok(!before.equals((await canvasPixels(page)).data), "the key is the game's again");

  // Arrows and Enter choose: the second item of その他 is 地図, which turns the map off.
  await page.click("#mnuOther > .label");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("Enter");
  await idle(page);
  assert.equal(await mapShown(page), false);
  assert.equal(await menuOpen(page), false);
  // Into a submenu and back out, one level a key: ファイル > やり直し > スタート地点に戻る.
  await page.click("#mnuFile > .label");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("ArrowRight");
  assert.equal(await page.$eval("#mnuFMStart", (e) => e.classList.contains("active")), true);
  await page.keyboard.press("Escape");
  assert.equal(await page.$eval("#mnuFMStart", (e) => e.checkVisibility()), false);
  assert.equal(await menuOpen(page), true);
  await page.keyboard.press("Escape");
  assert.equal(await menuOpen(page), false);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test("windows dragged by their caption, with mouse or finger, stay inside the page and reopen where they were left", async () => {
  const page = await openGame(browser, server, { width: 1024, height: 768 });
  await practice(page);
  await menu(page, "mnuOther", "mnuHRanking");
  await idle(page);
  // Far past the bottom right: it stops at the page's edges.
  await drag(page, "ranking", 3000, 3000);
  let r = await rect(page, "ranking");
  assert.equal(Math.round(r.right), 1024);
  assert.equal(Math.round(r.bottom), 768);
  await drag(page, "ranking", -300, -200);
  const left = await rect(page, "ranking");
  assert.deepEqual([Math.round(left.right), Math.round(left.bottom)], [724, 568]);
  await page.click("#ranking > .caption button");
  await menu(page, "mnuOther", "mnuHRanking");
  await idle(page);
  assert.deepEqual(await rect(page, "ranking"), left);
  await page.close();

  // A phone: the About box dragged by a finger past the top left, and kept there.
  const phone = await openGame(browser, server, { width: 390, height: 844 });
  await phone.setViewport({ width: 390, height: 844, hasTouch: true, isMobile: true });
  // The page has taken in the finger (its captions grow) before the box is measured.
  await phone.waitForFunction(() => document.body.classList.contains("coarse"));
  await practice(phone);
  await menu(phone, "mnuHelp", "mnuHVarsion");
  await idle(phone);
  const grip = await phone.$eval("#version > .caption > span", (e) => {
    const b = e.getBoundingClientRect();
    return { x: Math.round(b.left + 5), y: Math.round(b.top + b.height / 2) };
  });
  await phone.touchscreen.touchStart(grip.x, grip.y);
  await phone.touchscreen.touchMove(grip.x - 100, grip.y - 100);
  await phone.touchscreen.touchMove(grip.x - 900, grip.y - 900);
  await phone.touchscreen.touchEnd();
  r = await rect(phone, "version");
  assert.deepEqual([r.left, r.top], [0, 0]);
  await phone.evaluate(() => document.getElementById("version").remove());
  await menu(phone, "mnuHelp", "mnuHVarsion");
  await idle(phone);
  assert.deepEqual(await rect(phone, "version"), r);
  assert.deepEqual(phone.errors, []);
  await phone.close();
});

test("a new device pixel ratio alone draws the view at the new density", async () => {
  const page = await openGame(browser, server, { width: 800, height: 600, scale: 1 });
  // The browser tells a new ratio through the media query the page watches; an emulated
  // ratio changes no query, so the test keeps the page's queries to tell it.
  await page.evaluateOnNewDocument(() => {
    const matchMedia = window.matchMedia.bind(window);
    window.queries = [];
    window.matchMedia = (q) => {
      const list = matchMedia(q);
      window.queries.push(list);
      return list;
    };
  });
  await page.reload({ waitUntil: "load" });
  await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
  await practice(page);
  const [width, cssWidth] = await page.$eval("#view", (c) => [c.width, c.clientWidth]);
  assert.equal(width, cssWidth);
  await page.evaluate(() => {
    window.resizes = 0;
    window.addEventListener("resize", () => ++window.resizes);
  });
  await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 2 });
  await page.evaluate(() => {
    for (const q of [...window.queries])
      if (q.media.includes("resolution")) q.dispatchEvent(new Event("change"));
  });
  await idle(page);
  assert.equal(await page.$eval("#view", (c) => c.width), 2 * cssWidth);
  assert.equal(await page.evaluate(() => window.resizes), 0, "no resize event came");
  await page.close();
});

// Every fixed text's ink (the glyphs' own extent, measured in its font) inside the box that
// clips it, at the ratios of common screens; a scaled box (the fit layout's clear panel) is
// measured as shown.
function cutTexts() {
  const context = document.createElement("canvas").getContext("2d");
  const cut = [];
  for (const e of document.querySelectorAll("#title *, #client *, #ranking *, #version *")) {
    if (!e.getClientRects().length || !e.textContent.trim() || e.children.length) continue;
    const style = getComputedStyle(e);
    context.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    const m = context.measureText(e.textContent);
    const shown = (x) => x.offsetHeight ? x.getBoundingClientRect().height / x.offsetHeight : 1;
    const k = shown(e);
    const range = document.createRange();
    range.selectNodeContents(e);
    const baseline = range.getClientRects()[0].top + m.fontBoundingBoxAscent * k;
    const top = baseline - m.actualBoundingBoxAscent * k;
    const bottom = baseline + m.actualBoundingBoxDescent * k;
    let clip = e;
    while (clip.parentElement && getComputedStyle(clip).overflow === "visible")
      clip = clip.parentElement;
    const box = clip.getBoundingClientRect();
    const boxTop = box.top + clip.clientTop * shown(clip);
    const boxBottom = boxTop + clip.clientHeight * shown(clip);
    if (top < boxTop - 0.01 || bottom > boxBottom + 0.01)
      cut.push(`${e.id || e.className} "${e.textContent}": ink ${top}..${bottom}, ` +
               `box ${boxTop}..${boxBottom}`);
  }
  return cut;
}

test("no fixed text is cut at pixel ratios 1, 1.5, 2 and 3, in either layout", async () => {
  const cases = [1, 1.5, 2, 3].flatMap((scale) => ["classic", "fit"].map((layout) => ({
    layout, scale, width: 1024, height: 768 })));
  // And a phone's compact arrangement.
  cases.push({ layout: "fit", scale: 3, width: 390, height: 844, touch: true });
  for (const { layout, ...size } of cases) {
    const storage = { [settingsKey]: `[Kestrune]\r\nLayout=${layout}\r\n` };
    const page = await openGame(browser, server, { ...size, storage });
    const cut = await page.evaluate(cutTexts);
    await practice(page);
    assert.equal(await page.evaluate(() => document.body.classList.contains("fit")),
                 layout === "fit");
    // The clear panel's fixed lines, shown as a clear shows them.
    await page.evaluate(() => window.kestrune.page.showClearPanel(true));
    await menu(page, "mnuOther", "mnuHRanking");
    await menu(page, "mnuHelp", "mnuHVarsion");
    await idle(page);
    cut.push(...await page.evaluate(cutTexts));
    assert.deepEqual(cut, [], `${layout} at ${JSON.stringify(size)}`);
    await page.close();
  }
});
