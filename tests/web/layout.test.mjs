// The fit layout in the browser: phones in portrait and landscape with fingers, desktops with
// a mouse. Every key in sight and big enough, every menu inside the page, every key acting,
// and at the design size the same pixels as the classic layout.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { canvasPixels, endSession, idle, menu, openGame, practice, settingsKey, startSession,
         storage } from "./lib.mjs";

let server;
let browser;
before(async () => ({ server, browser } = await startSession()));
after(() => endSession({ server, browser }));

// What a tap can change: the direction readout, the position and the picture.
async function seen(page) {
  const texts = await page.evaluate(() => [...Array(7).keys()]
    .map((i) => document.getElementById(`lblHoukou${i}`).textContent)
    .concat(document.getElementById("lblZahyou").textContent).join("|"));
  return { texts, pixels: (await canvasPixels(page)).data };
}

// Every dropdown reachable from the menu bar, opened as a player opens it, with its place.
function openEveryMenu(page) {
  return page.evaluate(() => {
    const found = [];
    const walk = (drop, path) => {
      const r = drop.getBoundingClientRect();
      const rows = [...drop.querySelectorAll(":scope > .item")].map((i) => i.offsetHeight);
      found.push({ path, left: r.left, top: r.top, right: r.right, bottom: r.bottom,
                   row: Math.min(...rows) });
      for (const item of drop.querySelectorAll(":scope > .item.sub:not(.disabled)")) {
        item.click();
        walk(item.querySelector(":scope > .dropdown"), `${path} > ${item.id || item.textContent}`);
      }
    };
    for (const m of document.querySelectorAll("#menubar > .menu")) {
      m.querySelector(":scope > .label").click();
      walk(m.querySelector(":scope > .dropdown"), m.id);
      window.kestrune.page.closeMenus();
    }
    return found;
  });
}

const sizes = [
  { width: 390, height: 844, touch: true, scale: 3 },
  { width: 844, height: 390, touch: true, scale: 3 },
  { width: 1024, height: 768, touch: false, scale: 1 },
  { width: 1920, height: 1080, touch: false, scale: 1 },
];

for (const size of sizes) {
  const name = `${size.width} x ${size.height}${size.touch ? ", touch" : ""}`;
  test(`fit at ${name}: every key in sight and acting, every menu inside the page`, async () => {
    const page = await openGame(browser, server, size);
    await practice(page);
    const layout = await page.evaluate(() => {
      const root = document.documentElement;
      const view = document.getElementById("view");
      return {
        width: root.clientWidth, height: root.clientHeight,
        scrollWidth: root.scrollWidth, scrollHeight: root.scrollHeight,
        buttons: [...document.querySelectorAll("#picCon button")].map((b) => {
          const r = b.getBoundingClientRect();
          return { id: b.id, left: r.left, top: r.top, right: r.right, bottom: r.bottom };
        }),
        view: [view.width, view.height, view.clientWidth * devicePixelRatio,
               view.clientHeight * devicePixelRatio],
      };
    });
    // No scrolling, and the picture drawn at the device's pixels of its shown size.
    assert.equal(layout.scrollWidth, layout.width);
    assert.equal(layout.scrollHeight, layout.height);
    assert.deepEqual(layout.view.slice(0, 2), layout.view.slice(2).map(Math.round));
    assert.equal(layout.buttons.length, 14);
    for (const b of layout.buttons) {
      assert.ok(b.left >= 0 && b.top >= 0 && b.right <= layout.width && b.bottom <= layout.height,
                `${b.id} inside the page: ${JSON.stringify(b)}`);
      if (size.touch)
        assert.ok(b.right - b.left >= 44 && b.bottom - b.top >= 44, `${b.id} finger size`);
    }
    for (const d of await openEveryMenu(page)) {
      assert.ok(d.left >= 0 && d.top >= 0 && d.right <= layout.width && d.bottom <= layout.height,
                `${d.path} inside the page: ${JSON.stringify(d)}`);
      // Rows a finger can hit (shorter only where a short screen must hold a whole menu).
      if (size.touch) assert.ok(d.row >= (size.height > 500 ? 40 : 30), `${d.path} rows ${d.row}`);
    }

    // A box's buttons inside the page and of finger size too.
    if (size.touch) {
      await menu(page, "mnuFile", "mnuMazeNumber");
      await page.waitForSelector("#mazeNumber");
      const boxButtons = await page.$$eval("#mazeNumber button", (all) => all.map((b) => {
        const r = b.getBoundingClientRect();
        return { text: b.textContent, left: r.left, top: r.top, right: r.right, bottom: r.bottom };
      }));
      assert.ok(boxButtons.length >= 2);
      for (const b of boxButtons) {
        assert.ok(b.left >= 0 && b.top >= 0 && b.right <= layout.width && b.bottom <= layout.height,
                  `box button ${b.text} inside the page: ${JSON.stringify(b)}`);
        assert.ok(b.right - b.left >= 44 && b.bottom - b.top >= 44, `box button ${b.text} size`);
      }
      const close = boxButtons[boxButtons.length - 1];
      await page.touchscreen.tap((close.left + close.right) / 2, (close.top + close.bottom) / 2);
      await idle(page);
      // The tallest box, the key settings, whole inside a short landscape screen.
      await menu(page, "mnuOther", "mnuKeys");
      const keys = await page.waitForSelector("#keySettings");
      const k = await keys.evaluate((e) => e.getBoundingClientRect().toJSON());
      assert.ok(k.top >= 0 && k.bottom <= layout.height, `key settings inside: ${JSON.stringify(k)}`);
      await page.keyboard.press("Escape");
      await idle(page);
    }

    // Each key, tapped or clicked where it is shown: forward, back, then the twelve turns.
    await menu(page, "mnuOther", "mnuAnimation0");
    await idle(page);
    const order = [0, 13, ...Array.from({ length: 12 }, (_, i) => i + 1)];
    for (const slot of order) {
      const b = layout.buttons[slot];
      const before = await seen(page);
      const x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2;
      if (size.touch) await page.touchscreen.tap(x, y);
      else await page.mouse.click(x, y);
      await idle(page);
      const after = await seen(page);
      assert.ok(after.texts !== before.texts || !after.pixels.equals(before.pixels),
                `${b.id} acts`);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

test("at the design size fit and classic show the same pixels; the item switches and is stored", async () => {
  // 574 x 441 pixels of client under the menu bar.
  const page = await openGame(browser, server, { width: 574, height: 464 });
  await practice(page);
  assert.equal(await page.$eval("#menubar", (e) => e.offsetHeight), 23);
  assert.equal(await page.$eval("#mnuFit", (e) => e.classList.contains("checked")), true);
  const fit = Buffer.from(await page.screenshot());
  await menu(page, "mnuOther", "mnuFit");
  await idle(page);
  assert.equal(await page.$eval("#mnuFit", (e) => e.classList.contains("checked")), false);
  assert.match(await storage(page, settingsKey), /^Layout=classic\r?$/m);
  assert.ok(fit.equals(Buffer.from(await page.screenshot())), "the same pixels");
  // In a larger window only fit grows.
  await page.setViewport({ width: 1148, height: 905 });
  await idle(page);
  assert.equal(await page.$eval("#Rot0", (e) => e.offsetHeight), 25);
  await menu(page, "mnuOther", "mnuFit");
  await idle(page);
  assert.equal(await page.$eval("#Rot0", (e) => e.offsetHeight), 50);
  assert.deepEqual(page.errors, []);
  await page.close();
});
