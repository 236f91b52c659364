// The browser build's figures, in headless Chromium on this machine: the smooth picture's
// worst case with the transfer to the canvas, page load to the title, bytes of a first visit.
// Usage: node bench.mjs   (after make web)
import { statSync } from "node:fs";
import { join } from "node:path";
import { launch, serveSite, siteDir } from "./lib.mjs";

const median = (values) => {
  const s = [...values].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};

const server = await serveSite();
let browser = await launch();
try {
  // First visit: everything the page and its service worker fetch.
  const first = await browser.newPage();
  server.bytesSent = 0;
  await first.goto(server.url, { waitUntil: "load" });
  await first.waitForFunction(() => window.kestrune && window.kestrune.ready);
  await first.evaluate(() => navigator.serviceWorker.ready);
  await first.waitForFunction(async () => (await caches.keys()).length > 0 &&
    (await (await caches.open((await caches.keys())[0])).keys()).length > 10);
  const firstVisit = server.bytesSent;
  await browser.close();

  // Page load to the title window at a first visit (a fresh browser each time), seven loads.
  const loads = [];
  for (let i = 0; i < 7; ++i) {
    const b = await launch();
    const page = await b.newPage();
    await page.goto(server.url, { waitUntil: "domcontentloaded" });
    await page.waitForFunction(() => window.kestrune && window.kestrune.ready &&
                                     !document.getElementById("title").hidden, { polling: 5 });
    loads.push(await page.evaluate(() => performance.now()));
    await b.close();
  }

  // The same in one running browser, HTTP cache and service worker bypassed.
  browser = await launch();
  const warm = [];
  const loader = await browser.newPage();
  await loader.setCacheEnabled(false);
  await loader.setBypassServiceWorker(true);
  for (let i = 0; i < 9; ++i) {
    await loader.goto(server.url, { waitUntil: "domcontentloaded" });
    await loader.waitForFunction(() => window.kestrune && window.kestrune.ready &&
                                       !document.getElementById("title").hidden, { polling: 5 });
    warm.push(await loader.evaluate(() => performance.now()));
  }

  // The smooth view at 445 x 441 from the empty 4D box's centre, one picture at a time.
  const page = await browser.newPage();
  await page.goto(server.url, { waitUntil: "load" });
  await page.waitForFunction(() => window.kestrune && window.kestrune.ready);
  const pictures = await page.evaluate(() => {
    const g = window.kestrune.game;
    g._kestrune_bench_setup(445, 441);
    for (let i = 0; i < 20; ++i) g._kestrune_bench_draw();
    const times = [];
    for (let i = 0; i < 300; ++i) {
      const t = performance.now();
      g._kestrune_bench_draw();
      times.push(performance.now() - t);
    }
    return times;
  });

  // The same picture at the size the fit layout gives the view in a 4K window.
  const big = await browser.newPage();
  await big.setViewport({ width: 3840, height: 2160 });
  await big.goto(server.url, { waitUntil: "load" });
  await big.waitForFunction(() => window.kestrune && window.kestrune.ready);
  await big.click("#cmdPractice");
  await big.waitForFunction(() => window.kestrune.idle());
  const fit = await big.evaluate(() => {
    const view = document.getElementById("view");
    const size = [view.width, view.height];
    const g = window.kestrune.game;
    g._kestrune_bench_setup(...size);
    for (let i = 0; i < 5; ++i) g._kestrune_bench_draw();
    const times = [];
    for (let i = 0; i < 60; ++i) {
      const t = performance.now();
      g._kestrune_bench_draw();
      times.push(performance.now() - t);
    }
    return { size, times };
  });

  const wasm = statSync(join(siteDir, "kestrune.wasm")).size;
  console.log(`smooth picture 445x441, empty 4D box centre, incl. canvas: median ` +
              `${median(pictures).toFixed(3)} ms (min ${Math.min(...pictures).toFixed(3)}, ` +
              `${pictures.length} pictures)`);
  console.log(`smooth picture ${fit.size.join("x")} (fit, 3840x2160 window), incl. canvas: ` +
              `median ${median(fit.times).toFixed(3)} ms ` +
              `(min ${Math.min(...fit.times).toFixed(3)}, ${fit.times.length} pictures)`);
  console.log(`page load to title (first visit): median ${median(loads).toFixed(0)} ms ` +
              `(${loads.map((t) => t.toFixed(0)).join(", ")})`);
  console.log(`page load to title (running browser, no cache): median ` +
              `${median(warm).toFixed(0)} ms (${warm.map((t) => t.toFixed(0)).join(", ")})`);
  console.log(`first visit transferred: ${(firstVisit / 1e6).toFixed(2)} MB; ` +
              `kestrune.wasm ${(wasm / 1e6).toFixed(3)} MB`);
} finally {
  await browser.close();
  server.close();
}
