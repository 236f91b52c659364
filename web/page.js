// The page's side of the browser shell: builds the windows the game describes and carries
// out what the C++ side asks, one function per operation (src/web/bridge.h, called through
// src/web/page_imports.js). No game rule lives here.
import { beep, effectLoad, effectPlay, musicStart, musicStop } from "./audio.js";
import { Command } from "./commands.js";

const $ = (id) => document.getElementById(id);

function element(tag, className, parent) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (parent) parent.appendChild(e);
  return e;
}

// A control placed in CSS pixels by the description.
function place(e, d) {
  e.style.left = `${d.left}px`;
  e.style.top = `${d.top}px`;
  e.style.width = `${d.width}px`;
  e.style.height = `${d.height}px`;
  return e;
}

function label(parent, d) {
  const e = place(element("div", `abs ${d.align || "left"}${d.bold ? " bold" : ""}`, parent), d);
  if (d.id) e.id = d.id;
  e.textContent = d.text;
  if (d.points) e.style.fontSize = `${d.points}pt`;
  return e;
}

// The design face narrowed, a step at a time, until the caption fits inside its button
// (a longer caption of another language).
function fitCaption(button) {
  button.style.fontSize = button.dataset.fontSize || "";
  button.style.letterSpacing = "";
  const base = parseFloat(getComputedStyle(button).fontSize);
  for (let size = base; button.scrollWidth > button.clientWidth && size > base * 0.6; size -= 0.5)
    button.style.fontSize = `${size - 0.5}px`;
}

// The page's address without its "#…" part.
function pageAddress() {
  return location.href.split("#")[0];
}

// Puts a text on the clipboard; where the browser refuses, through a selected field.
async function copyText(text, field) {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const old = field.value;
    field.value = text;
    field.select();
    document.execCommand("copy");
    field.value = old;
  }
}

// Where the player left each floating window, for the session.
const places = new Map();

// A fixed window kept wholly inside the page (its top-left corner in sight when it is larger).
function keepInside(w) {
  const r = w.getBoundingClientRect();
  const root = document.documentElement;
  w.style.transform = "none";
  w.style.left = `${Math.round(Math.max(0, Math.min(r.left, root.clientWidth - r.width)))}px`;
  w.style.top = `${Math.round(Math.max(0, Math.min(r.top, root.clientHeight - r.height)))}px`;
}

// A window moved by its caption with mouse, pen or finger, inside the page; when it opens
// again it comes back where the player left it.
function movable(w) {
  const bar = w.querySelector(":scope > .caption");
  const place = places.get(w.id);
  if (place) {
    w.style.transform = "none";
    w.style.left = `${place.left}px`;
    w.style.top = `${place.top}px`;
    keepInside(w);
  }
  bar.addEventListener("pointerdown", (e) => {
    // The caption's touch-action keeps a finger from scrolling the page instead.
    if (e.button !== 0 || e.target.closest("button")) return;
    const r = w.getBoundingClientRect();
    const grip = { x: e.clientX - r.left, y: e.clientY - r.top };
    bar.setPointerCapture(e.pointerId);
    const move = (m) => {
      w.style.transform = "none";
      w.style.left = `${m.clientX - grip.x}px`;
      w.style.top = `${m.clientY - grip.y}px`;
      keepInside(w);
    };
    const end = () => {
      bar.removeEventListener("pointermove", move);
      bar.removeEventListener("pointerup", end);
      bar.removeEventListener("pointercancel", end);
      if (w.style.transform === "none")
        places.set(w.id, { left: parseFloat(w.style.left), top: parseFloat(w.style.top) });
    };
    bar.addEventListener("pointermove", move);
    bar.addEventListener("pointerup", end);
    bar.addEventListener("pointercancel", end);
  });
}

// The one highlighted item of a dropdown.
function activate(drop, item) {
  for (const i of drop.querySelectorAll(":scope > .item.active")) i.classList.remove("active");
  if (item) item.classList.add("active");
}

// An open window as it is, above the other windows.
function raise(w) {
  if (w) document.body.appendChild(w);
}

// A menu just opened, moved wholly into the page: a submenu with no room on the right opens as
// a panel over its parent, under the item that opened it; any menu too low moves up.
function menuInside(drop) {
  drop.style.left = drop.style.top = "";
  const root = document.documentElement;
  const width = root.clientWidth, height = root.clientHeight;
  let r = drop.getBoundingClientRect();
  const opener = drop.parentElement.getBoundingClientRect();
  const sub = drop.parentElement.classList.contains("item");
  let left = r.left, top = r.top;
  if (r.right > width) {
    left = Math.max(0, width - r.width);
    if (sub) top = opener.bottom;
  }
  top = Math.max(0, Math.min(top, height - r.height));
  if (left !== r.left) drop.style.left = `${left - opener.left}px`;
  if (top !== r.top) drop.style.top = `${top - opener.top}px`;
}

// Windows the desktop shows modeless (ranking table, About box): a caption and a close box.
function floatingWindow(id, caption, width, height) {
  let w = $(id);
  if (w) w.remove();
  w = element("div", "window floating", document.body);
  w.id = id;
  const bar = element("div", "caption", w);
  element("span", "", bar).textContent = caption;
  const close = element("button", "", bar);
  close.textContent = "×";
  close.addEventListener("click", () => w.remove());
  const body = element("div", "body", w);
  body.style.width = `${width}px`;
  body.style.height = `${height}px`;
  movable(w);
  return body;
}

export class Page {
  constructor(queue) {
    this.queue = queue;      // (code, argument, text) => void
    this.description = null;
    this.modal = 0;          // boxes open
    this.pauseScale = 1;     // the tests shorten the ending's pauses with it
    this.commandText = null;
    this.menuOpen = null;
    document.addEventListener("pointerdown", (e) => {
      if (this.menuOpen && !this.menuOpen.contains(e.target)) this.closeMenus();
    });
    // An open menu has the keys before anything else on the page.
    window.addEventListener("keydown", (e) => {
      if (this.menuOpen && !this.modal) this.menuKey(e);
    }, true);
    // A moved window stays inside a page that shrinks; a finger gets finger-size menus and
    // captions as soon as the page knows of it.
    window.addEventListener("resize", () => {
      this.coarse();
      for (const id of places.keys()) if ($(id) && !$(id).hidden) keepInside($(id));
    });
    this.coarse();
  }

  // Whether the pointer is a finger; the page's menus, boxes and captions follow it.
  coarse() {
    const coarse = matchMedia("(pointer: coarse)").matches || navigator.maxTouchPoints > 0;
    document.body.classList.toggle("coarse", coarse);
    return coarse;
  }

  // ---- Building the windows ------------------------------------------------------------

  build(description) {
    this.description = description;
    document.documentElement.lang = description.language;
    this.buildTitle(description.title);
    this.buildMenus(description.menus);
    this.buildClient(description);
    this.buildMap(description.map);
  }

  // The language changed: the same windows with the new captions; the game's own texts
  // (readouts, the caption, the clear panel's lines) and every state are kept.
  retext(description) {
    const keep = {
      animation: this.animation,
      makeMenu: this.makeMenuEnabled,
      zahyou: this.zahyouChecked,
      map: this.mapShown,
      fit: this.fitChecked,
    };
    this.description = description;
    document.documentElement.lang = description.language;
    this.buildTitle(description.title);
    this.buildMenus(description.menus);
    for (const b of description.buttons) if ($(b.id)) $(b.id).textContent = b.text;
    this.fitCaptions();
    const labels = [...description.panelLabels, ...description.stripLabels,
                    ...description.clearPanel.labels];
    for (const d of labels) if (d.id && !d.readout && $(d.id)) $(d.id).textContent = d.text;
    if ($("lblWait")) $("lblWait").textContent = description.wait;
    if (keep.animation !== undefined) this.checkAnimation(keep.animation);
    if (keep.makeMenu !== undefined) this.enableMakeMenu(keep.makeMenu);
    if (keep.zahyou !== undefined) this.setChecked("mnuZahyou", keep.zahyou);
    if (keep.map !== undefined) this.setChecked("mnuMap", keep.map);
    if (keep.fit !== undefined) this.setChecked("mnuFit", keep.fit);
    $("mapPanel").querySelector(".caption span").textContent = description.map;
  }

  buildTitle(t) {
    const title = $("title");
    title.textContent = "";
    const bar = element("div", "caption", title);
    element("span", "", bar).textContent = t.caption;
    const body = element("div", "body", title);
    body.style.width = `${t.width}px`;
    body.style.height = `${t.height}px`;
    const tower = place(element("button", "abs", body), t.cmdTower);
    tower.id = "cmdTower";
    tower.setAttribute("aria-label", t.label1.text);
    const picture = place(element("div", "abs picture", body), t.picture1);
    picture.id = "Picture1";
    const img = element("img", "", picture);
    img.src = "tower.png";
    img.alt = "";
    img.width = 48;
    img.height = 48;
    img.draggable = false;
    const caption = label(picture, { ...t.label1, align: "left" });
    caption.id = "Label1";
    const practice = place(element("button", "abs", body), t.cmdPractice);
    practice.id = "cmdPractice";
    practice.textContent = t.cmdPractice.text;
    // A click on the picture or its label is a click on the tower button.
    for (const e of [tower, picture])
      e.addEventListener("click", () => this.queue(Command.choose, 1));
    practice.addEventListener("click", () => this.queue(Command.choose, 0));
  }

  buildMenus(menus) {
    const bar = $("menubar");
    bar.textContent = "";
    this.menuOpeners = [];
    for (const m of menus) {
      const menu = element("div", "menu", bar);
      if (m.id) menu.id = m.id;
      const head = element("div", "label", menu);
      head.textContent = m.text;
      const drop = this.buildDropdown(menu, m.items);
      drop.hidden = true;
      const open = () => {
        this.closeMenus();
        // The restart item is enabled as the menu opens, by the game's rule.
        if (m.id === "mnuFile") this.setEnabled("mnuFMRe", this.restartEnabled());
        drop.hidden = false;
        menuInside(drop);
        menu.classList.add("open");
        this.menuOpen = bar;
        this.menuIndex = this.menuOpeners.indexOf(open);
      };
      this.menuOpeners.push(open);
      head.addEventListener("click", () => (menu.classList.contains("open") ? this.closeMenus()
                                                                              : open()));
      head.addEventListener("pointerenter", () => { if (this.menuOpen) open(); });
    }
  }

  buildDropdown(parent, items) {
    const drop = element("div", "dropdown", parent);
    for (const it of items) {
      if (it.separator) {
        element("div", "separator", drop);
        continue;
      }
      const item = element("div", "item", drop);
      if (it.id) item.id = it.id;
      // The pointer and the arrow keys move the same highlight.
      item.addEventListener("pointerenter", () => activate(drop, item));
      item.addEventListener("pointerleave", () => {
        if (!item.classList.contains("open")) item.classList.remove("active");
      });
      const text = element("span", "text", item);
      text.textContent = it.text;
      if (it.checked) item.classList.add("checked");
      if (it.shortcut) element("span", "shortcut", item).textContent = it.shortcut;
      if (it.items) {
        item.classList.add("sub");
        const sub = this.buildDropdown(item, it.items);
        sub.hidden = true;
        const openSub = () => {
          if (item.classList.contains("disabled") || !sub.hidden) return;
          for (const sibling of drop.querySelectorAll(":scope > .item.open")) {
            sibling.classList.remove("open");
            sibling.querySelector(".dropdown").hidden = true;
          }
          sub.hidden = false;
          menuInside(sub);
          item.classList.add("open");
          if (it.openCommand) this.queue(it.openCommand, it.openArgument);
        };
        item.addEventListener("pointerenter", openSub);
        item.addEventListener("click", (e) => { e.stopPropagation(); openSub(); });
        continue;
      }
      item.addEventListener("click", (e) => {
        e.stopPropagation();
        if (item.classList.contains("disabled")) return;
        this.closeMenus();
        if (it.chooseFile) $("importFile").click();
        else this.queue(it.command, it.argument);
      });
    }
    return drop;
  }

  closeMenus() {
    for (const d of document.querySelectorAll("#menubar .dropdown")) d.hidden = true;
    for (const e of document.querySelectorAll("#menubar .open, #menubar .active"))
      e.classList.remove("open", "active");
    this.menuOpen = null;
  }

  // While a menu is open the keys are its own, as a desktop menu's: up and down move, right
  // opens a submenu or the next menu, left closes one or goes to the previous menu, Enter or
  // Space chooses, Escape closes one level. No key reaches the game meanwhile.
  menuKey(e) {
    e.stopImmediatePropagation();
    const open = [...document.querySelectorAll("#menubar .dropdown")].filter((d) => !d.hidden);
    const drop = open[open.length - 1];
    if (!drop) {
      this.closeMenus();
      return;
    }
    const items = [...drop.querySelectorAll(":scope > .item")]
      .filter((i) => !i.classList.contains("disabled"));
    const active = drop.querySelector(":scope > .item.active");
    const at = items.indexOf(active);
    const closeLevel = () => {
      drop.hidden = true;
      drop.parentElement.classList.remove("open");
    };
    const enter = () => {
      active.click();
      const sub = active.querySelector(":scope > .dropdown");
      if (sub && !sub.hidden)
        activate(sub, [...sub.querySelectorAll(":scope > .item")]
          .find((i) => !i.classList.contains("disabled")));
    };
    const handled = ["ArrowDown", "ArrowUp", "ArrowRight", "ArrowLeft", "Enter", " ", "Escape"];
    if (!handled.includes(e.key)) return;
    e.preventDefault();
    const count = this.menuOpeners.length;
    switch (e.key) {
      case "ArrowDown":
        if (items.length) activate(drop, items[(at + 1) % items.length]);
        break;
      case "ArrowUp":
        if (items.length) activate(drop, items[at <= 0 ? items.length - 1 : at - 1]);
        break;
      case "ArrowRight":
        if (active && active.classList.contains("sub")) enter();
        else this.menuOpeners[(this.menuIndex + 1) % count]();
        break;
      case "ArrowLeft":
        if (open.length > 1) closeLevel();
        else this.menuOpeners[(this.menuIndex + count - 1) % count]();
        break;
      case "Enter":
      case " ":
        if (active && !active.classList.contains("disabled")) enter();
        break;
      case "Escape":
        if (open.length > 1) closeLevel();
        else this.closeMenus();
        break;
    }
  }

  buildClient(d) {
    const client = $("client");
    client.textContent = "";
    element("div", "", client).id = "line1";
    const view = element("div", "", client);
    view.id = "picture1";
    const canvas = element("canvas", "", view);
    canvas.id = "view";
    canvas.width = 1;
    canvas.height = 1;
    this.canvas = canvas;
    this.context = canvas.getContext("2d");
    const wait = element("div", "", view);
    wait.id = "lblWait";
    wait.textContent = d.wait;
    wait.hidden = true;

    const clear = element("div", "", view);
    clear.id = "picClear";
    clear.style.width = `${d.clearPanel.width}px`;
    clear.style.height = `${d.clearPanel.height}px`;
    clear.hidden = true;
    const ending = place(element("div", "", clear), d.clearPanel.picEnding);
    ending.id = "picEnding";
    for (const l of d.clearPanel.labels) label(ending, l).style.pointerEvents = "none";
    clear.addEventListener("click", () => this.queue(Command.clearClick));

    const strip = element("div", "", client);
    strip.id = "picture2";
    for (const l of d.stripLabels) label(strip, l);
    $("lblZahyou").style.width = "auto";
    $("lblZahyou").style.minWidth = `${this.zahyouWidth()}px`;

    const panel = element("div", "", client);
    panel.id = "picCon";
    for (const b of d.buttons) {
      const button = place(element("button", "abs", panel), b);
      button.id = b.id;
      button.textContent = b.text;
      button.addEventListener("click", () => this.queue(b.command, b.argument));
      // The panel never takes the keys: they belong to the game window.
      button.addEventListener("mousedown", (e) => e.preventDefault());
    }
    for (const l of d.panelLabels) {
      const e = label(panel, l);
      if (l.id === "lblHoukou3" || l.id === "lblHoukou6") {
        e.style.color = "#fff";
        e.style.background = "#000";
      }
      // Kept against the panel's right edge as the panel changes width.
      if (l.id === "Label3") {
        e.style.left = "auto";
        e.style.right = "0px";
      }
    }
  }

  // The map of explored cells: a panel floating beside the game, shown by the game's flag,
  // moved by its caption. Its close box asks the game to turn the map off.
  buildMap(caption) {
    const panel = element("div", "window floating", document.body);
    panel.id = "mapPanel";
    panel.hidden = true;
    const bar = element("div", "caption", panel);
    element("span", "", bar).textContent = caption;
    const close = element("button", "", bar);
    close.textContent = "×";
    close.addEventListener("click", () => this.queue(Command.map, 1));
    const body = element("div", "body", panel);
    const canvas = element("canvas", "", body);
    canvas.id = "map";
    canvas.width = 1;
    canvas.height = 1;
    this.mapContext = canvas.getContext("2d");
    movable(panel);
  }

  // The panel's captions fitted to their buttons; only a shown panel has sizes to fit.
  fitCaptions() {
    if ($("game").hidden) return;
    for (const b of $("picCon").querySelectorAll("button")) fitCaption(b);
  }

  // ---- What the C++ side calls ----------------------------------------------------------

  setText(id, text) {
    const e = $(id);
    if (e) {
      const t = e.querySelector(":scope > .text");
      (t || e).textContent = text;
    }
  }

  setTitle(id, text) {
    const e = $(id);
    if (e) e.title = text;
  }

  // The game window's caption.
  setCaption(text) {
    document.title = text;
  }

  // The maze's link in the address, replacing the entry: no history step per maze.
  setAddress(fragment) {
    history.replaceState(history.state, "", pageAddress() + (fragment ? `#${fragment}` : ""));
  }

  setColour(id, red, green, blue) {
    const e = $(id);
    if (e) e.style.background = `rgb(${red}, ${green}, ${blue})`;
  }

  setEnabled(id, enabled) {
    const e = $(id);
    if (e) e.classList.toggle("disabled", !enabled);
  }

  setChecked(id, checked) {
    const e = $(id);
    if (e) e.classList.toggle("checked", !!checked);
    if (id === "mnuZahyou") this.zahyouChecked = !!checked;
    if (id === "mnuMap") this.mapShown = !!checked;
    if (id === "mnuFit") this.fitChecked = !!checked;
  }

  showGame() {
    $("title").hidden = true;
    $("game").hidden = false;
    this.fitCaptions();
    this.closeMenus();
    this.setChecked("mnuZahyou", true);
  }

  showClearPanel(shown) {
    $("picClear").hidden = !shown;
  }

  setBusy(busy) {
    $("lblWait").hidden = !busy;
    document.body.classList.toggle("busy", busy);
  }

  checkAnimation(index) {
    this.animation = index;
    for (let i = 0; i < 8; ++i) this.setChecked(`mnuAnimation${i}`, i === index);
  }

  enableMakeMenu(enabled) {
    this.makeMenuEnabled = enabled;
    this.setEnabled("mnuFMJigen", enabled);
    this.setEnabled("mnuMazeNumber", enabled);
  }

  showMap(shown) {
    $("mapPanel").hidden = !shown;
    this.setChecked("mnuMap", shown);
  }

  setFit(fit) {
    this.setChecked("mnuFit", fit);
  }

  putView(bytes, width, height) {
    if (this.canvas.width !== width || this.canvas.height !== height) {
      this.canvas.width = width;
      this.canvas.height = height;
    }
    const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, width * height * 4);
    this.context.putImageData(new ImageData(pixels, width, height), 0, 0);
  }

  putMap(bytes, width, height) {
    const canvas = this.mapContext.canvas;
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, width * height * 4);
    this.mapContext.putImageData(new ImageData(pixels, width, height), 0, 0);
    // The first time it shows: beside the game when the browser window has room, otherwise
    // over the view's right side, leaving the panel and its readouts in sight; afterwards
    // where the player left it.
    const panel = $("mapPanel");
    if (!panel.hidden && !panel.style.left) {
      const client = $("client").getBoundingClientRect();
      const room = document.documentElement.clientWidth - panel.offsetWidth;
      const besideView = $("picCon").getBoundingClientRect().left - 8 - panel.offsetWidth;
      const left = client.right + 8 <= room ? client.right + 8 : besideView;
      panel.style.left = `${Math.max(0, Math.round(left))}px`;
      panel.style.top = `${Math.round(client.top)}px`;
    }
  }

  viewport() {
    const root = document.documentElement;
    // Menus grow to finger size before the menu bar's height is measured.
    const coarse = this.coarse();
    return {
      width: root.clientWidth,
      height: root.clientHeight,
      menuHeight: $("menubar").offsetHeight,
      pixelRatio: window.devicePixelRatio || 1,
      coarse,
    };
  }

  applyLayout(l) {
    if (l.fit) {
      this.applyFit(l);
      return;
    }
    if (this.fitted) this.placeDesign();
    const px = (v) => `${v}px`;
    const client = $("client");
    client.style.width = px(l.clientWidth);
    client.style.height = px(l.clientHeight);
    const con = $("picCon");
    con.style.left = px(l.picConLeft);
    con.style.width = px(l.picConWidth);
    $("Label6").hidden = !l.label6Visible;
    $("lblGoal").style.left = px(l.lblGoalLeft);
    const strip = $("picture2");
    strip.style.top = px(l.picture2Top);
    strip.style.width = px(l.picture2Width);
    $("line1").style.width = px(l.line1Width);
    const view = $("picture1");
    view.style.top = px(l.picture1Top);
    view.style.width = px(l.picture1Width);
    view.style.height = px(l.picture1Height);
    $("lblWait").style.left = px(l.lblWaitLeft);
    $("lblWait").style.top = px(l.lblWaitTop);
    $("picClear").style.left = px(l.picClearLeft);
    $("picClear").style.top = px(l.picClearTop);
    this.stripTop = l.picture2Top;
  }

  // The position readout grows to the right, never narrower than its design box.
  zahyouWidth() {
    return this.description.stripLabels.find((l) => l.id === "lblZahyou").width;
  }

  // The panel and strip back at the design's places and sizes, as built.
  placeDesign() {
    this.fitted = false;
    document.body.classList.remove("fit");
    const d = this.description;
    const con = $("picCon");
    con.style.top = con.style.height = "";
    for (const b of d.buttons) {
      place($(b.id), b);
      delete $(b.id).dataset.fontSize;
    }
    for (const l of [...d.panelLabels, ...d.stripLabels]) {
      place($(l.id), l);
      $(l.id).style.fontSize = `${l.points}pt`;
      $(l.id).style.lineHeight = "";
    }
    $("Label3").style.left = "auto";
    $("Label3").style.right = "0px";
    $("lblZahyou").style.width = "auto";
    $("lblZahyou").style.minWidth = `${this.zahyouWidth()}px`;
    $("picture2").style.left = "0px";
    $("picture2").style.height = "";
    $("picture1").style.left = "0px";
    for (const id of ["picClear", "lblWait"]) $(id).style.transform = "";
    this.fitCaptions();
  }

  // The fit layout: every part where the game put it, the design's texts scaled with it.
  applyFit(l) {
    this.fitted = true;
    document.body.classList.add("fit");
    const px = (v) => `${v}px`;
    const d = this.description;
    const client = $("client");
    client.style.width = px(l.clientWidth);
    client.style.height = px(l.clientHeight);
    $("line1").style.width = px(l.clientWidth);
    // The game places the controls in the client; the panel holds them where it is.
    const p = l.panel;
    place($("picCon"), p);
    const inPanel = (r) => ({ ...r, left: r.left - p.left, top: r.top - p.top });
    place($("picture1"), l.view);
    place($("picture2"), l.strip);
    $("Label6").hidden = false;
    const scaled = (e, r, s, points) => {
      place(e, r);
      e.style.fontSize = `${points * s}pt`;
    };
    for (const s of d.stripLabels) {
      const e = $(s.id);
      scaled(e, { left: s.left * l.scale, top: s.top * l.scale, width: s.width * l.scale,
                  height: s.height * l.scale }, l.scale, s.points);
    }
    $("lblGoal").style.left = px(l.lblGoalLeft);
    $("lblZahyou").style.width = "auto";
    $("lblZahyou").style.minWidth = px(this.zahyouWidth() * l.scale);
    const controls = new Map(l.controls.map((c) => [c.id, c]));
    for (const b of d.buttons) {
      place($(b.id), inPanel(controls.get(b.id)));
      $(b.id).dataset.fontSize = `${10.5 * l.keyScale}pt`;
    }
    // The plane names beside their pairs; the other labels keep their places in the readouts.
    const r = l.readouts;
    for (const s of d.panelLabels) {
      const e = $(s.id);
      const c = controls.get(s.id);
      e.style.right = "";
      if (c) {
        scaled(e, inPanel(c), l.scale, s.points);
        e.style.lineHeight = l.arrangement === "scaled" ? "" : px(c.height);
      } else {
        scaled(e, inPanel({ left: r.left + s.left * l.scale,
                            top: r.top + (s.top - l.readoutsDesignTop) * l.scale,
                            width: s.width * l.scale, height: s.height * l.scale }),
               l.scale, s.points);
      }
    }
    $("lblWait").style.left = px(l.lblWaitLeft);
    $("lblWait").style.top = px(l.lblWaitTop);
    $("picClear").style.left = px(l.picClearLeft);
    $("picClear").style.top = px(l.picClearTop);
    // The clear panel, the ending's lines and the wait label grow and shrink as one.
    for (const id of ["picClear", "lblWait"])
      $(id).style.transform = l.boxScale === 1 ? "" : `scale(${l.boxScale})`;
    this.stripTop = l.strip.top;
    this.fitCaptions();
  }

  showRanking(r) {
    const body = floatingWindow("ranking", r.caption, r.width, r.height);
    const ns = "http://www.w3.org/2000/svg";
    const svg = document.createElementNS(ns, "svg");
    svg.setAttribute("width", r.width);
    svg.setAttribute("height", r.height);
    for (const l of r.lines) {
      const e = document.createElementNS(ns, "line");
      for (const k of ["x1", "y1", "x2", "y2"]) e.setAttribute(k, l[k] + 0.5);
      e.setAttribute("stroke", "#000");
      svg.appendChild(e);
    }
    for (const b of r.boxes) {
      const e = document.createElementNS(ns, "rect");
      e.setAttribute("x", b.left + 0.5);
      e.setAttribute("y", b.top + 0.5);
      e.setAttribute("width", b.width - 1);
      e.setAttribute("height", b.height - 1);
      e.setAttribute("fill", "none");
      e.setAttribute("stroke", "#000");
      svg.appendChild(e);
    }
    body.appendChild(svg);
    for (const l of r.labels) label(body, l);
  }

  rankingShown() {
    return !!$("ranking");
  }

  raiseRanking() {
    raise($("ranking"));
  }

  showVersion(v) {
    const body = floatingWindow("version", v.caption, v.width, v.height);
    const icon = place(element("img", "abs", body), v.icon);
    icon.src = "kestrune.png";
    icon.alt = "";
    for (const l of v.labels) {
      const e = label(body, l);
      if (l.id === "lblVersion") e.classList.add("courier");
      if (l.id === "lblAuthor") e.classList.add("times");
    }
    for (const link of v.links) {
      const a = place(element("a", "abs courier center", body), link);
      a.textContent = link.text;
      a.style.fontSize = `${link.points}pt`;
      a.addEventListener("click", () => this.open(link.href));
    }
    const ok = place(element("button", "abs courier", body), v.ok);
    ok.textContent = v.ok.text;
    ok.style.fontSize = `${v.ok.points}pt`;
    ok.addEventListener("mouseup", (e) => {
      if (e.button === 0) $("version").remove();
      else this.message(v.secretText, v.secretTitle, v.secretOk);
    });
    ok.addEventListener("contextmenu", (e) => e.preventDefault());
  }

  versionShown() {
    return !!$("version");
  }

  raiseVersion() {
    raise($("version"));
  }

  download(d) {
    const url = URL.createObjectURL(new Blob([d.text], { type: "text/plain" }));
    const a = element("a", "", document.body);
    a.href = url;
    a.download = d.name;
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  open(url) {
    if (url.startsWith("mailto:")) window.location.href = url;
    else window.open(url, "_blank", "noopener");
  }

  notice(text) {
    const n = $("notice");
    n.textContent = text;
    n.hidden = false;
    clearTimeout(this.noticeTimer);
    this.noticeTimer = setTimeout(() => { n.hidden = true; }, 8000);
  }

  musicStart(name) { musicStart(name); }
  musicStop() { musicStop(); }
  effectLoad(name) { effectLoad(name); }
  effectPlay(name) { effectPlay(name); }
  beep() { beep(); }

  // The ending's lines: Label5(0) is the clear panel's own, the others copies of it.
  endingAddLine(index) {
    const copy = $("Label5_0").cloneNode(true);
    copy.id = `Label5_${index}`;
    copy.hidden = true;
    $("picEnding").appendChild(copy);
  }

  endingLineVisible(index, visible) { $(`Label5_${index}`).hidden = !visible; }
  endingLineTop(index, top) { $(`Label5_${index}`).style.top = `${top}px`; }
  endingLineFont(index, points) { $(`Label5_${index}`).style.fontSize = `${points}pt`; }
  endingLineText(index, text) { $(`Label5_${index}`).textContent = text; }
  endingHeight(height) { $("picEnding").style.height = `${height}px`; }
  endingScroll(top) { $("picEnding").style.top = `${top}px`; }

  // ---- Waits -----------------------------------------------------------------------------

  waitFrame() {
    return new Promise((resolve) => requestAnimationFrame(() => resolve()));
  }

  // "Please Wait" and the hourglass, painted before the long work starts: the second frame
  // callback runs after the first frame with the label was drawn.
  async showBusy() {
    this.setBusy(true);
    await this.waitFrame();
    await this.waitFrame();
  }

  // Lets the browser handle its events, without the 4 ms clamp of nested timers.
  yieldEvents() {
    return new Promise((resolve) => {
      const channel = new MessageChannel();
      channel.port1.onmessage = () => resolve();
      channel.port2.postMessage(0);
    });
  }

  async pause(milliseconds) {
    await new Promise((resolve) => setTimeout(resolve, milliseconds * this.pauseScale));
    return true;
  }

  // The strip slides through the positions the game computed, about two thousand a second.
  async slideStrip(tops, showing) {
    const strip = $("picture2");
    strip.hidden = false;
    const start = performance.now();
    for (let k = 0; k < tops.length;) {
      strip.style.top = `${tops[k]}px`;
      await this.waitFrame();
      k = Math.max(k + 1, Math.round((performance.now() - start) * 2));
    }
    strip.style.top = `${tops[tops.length - 1]}px`;
    strip.hidden = !showing;
    this.setChecked("mnuZahyou", showing);
  }

  // A modal box over the page: its caption and body; close() takes it away again.
  openModal(caption, id) {
    ++this.modal;
    this.closeMenus();
    const overlay = element("div", "overlay", document.body);
    const box = element("div", "window dialog", document.body);
    if (id) box.id = id;
    box.setAttribute("role", "dialog");
    const bar = element("div", "caption", box);
    element("span", "", bar).textContent = caption;
    const body = element("div", "body", box);
    const close = () => {
      overlay.remove();
      box.remove();
      --this.modal;
    };
    return { box, body, close };
  }

  box(title, text, buttons, input) {
    return new Promise((resolve) => {
      const { box, body, close } = this.openModal(title);
      // The game's texts break lines with CR LF or a lone CR.
      element("div", "text", body).textContent = text.replace(/\r\n?/g, "\n");
      let field = null;
      if (input) {
        field = element("input", "", body);
        field.type = "text";
        field.id = "inputBoxText";
      }
      const row = element("div", "buttons", body);
      const finish = (value) => {
        close();
        window.removeEventListener("keydown", keys, true);
        resolve(value);
      };
      const elements = buttons.map((b) => {
        const e = element("button", "", row);
        e.textContent = b.text;
        e.addEventListener("click", () => finish(b.value(field)));
        return e;
      });
      const keys = (e) => {
        if (e.key === "Enter") {
          e.preventDefault();
          finish(buttons[0].value(field));
        } else if (e.key === "Escape") {
          e.preventDefault();
          finish(buttons[buttons.length - 1].value(field));
        }
      };
      window.addEventListener("keydown", keys, true);
      (field || elements[0]).focus();
    });
  }

  // "キー設定…": the actions with their keypad keys and their main-keyboard keys. A click on
  // a key field, then the new key; the game binds it or says why not. Resolves true for OK.
  keySettings() {
    const d = this.keysBegin();
    return new Promise((resolve) => {
      const { box, body, close } = this.openModal(d.caption, "keySettings");
      const grid = element("div", "keygrid", body);
      for (const c of d.columns) element("div", "bold", grid).textContent = c.text;
      const fields = d.rows.map((r, slot) => {
        element("div", "", grid).textContent = r.action;
        element("div", "", grid).textContent = r.keypad;
        const field = element("div", "keyfield", grid);
        field.id = `keyField${slot}`;
        field.tabIndex = 0;
        field.addEventListener("keydown", (e) => {
          if (["Tab", "Enter", "Escape"].includes(e.key)) return;  // the dialog's
          e.preventDefault();
          e.stopPropagation();
          if (e.repeat || ["Shift", "Control", "Alt", "Meta", "AltGraph", "CapsLock", "NumLock"]
            .includes(e.key)) return;  // a held key is offered once, modifiers wait
          const answer = this.keysOffer(slot, e);
          show(answer.keys);
          if (answer.refusal) this.message(answer.refusal, d.caption, d.ok).then(() => field.focus());
        });
        return field;
      });
      const show = (keys) => keys.forEach((k, i) => { fields[i].textContent = k.text; });
      show(d.keys);
      element("div", "text", body).textContent = d.hint;
      const row = element("div", "buttons", body);
      const finish = (ok) => {
        close();
        resolve(ok);
      };
      const defaults = element("button", "", row);
      defaults.textContent = d.defaults;
      defaults.addEventListener("click", () => show(this.keysDefaults().keys));
      const ok = element("button", "", row);
      ok.id = "keySettingsOk";
      ok.textContent = d.ok;
      ok.addEventListener("click", () => finish(true));
      const cancel = element("button", "", row);
      cancel.textContent = d.cancel;
      cancel.addEventListener("click", () => finish(false));
      box.addEventListener("keydown", (e) => {
        if (e.key === "Escape") finish(false);
        else if (e.key === "Enter" && !(e.target instanceof HTMLButtonElement)) finish(true);
      });
      movable(box);
      // No field waits for a key until the player picks one.
      ok.focus();
    });
  }

  // "迷路番号…": the current maze's code with Copy and Copy link, and a field for a code to
  // build. Resolves with the typed code, or null when closed.
  mazeNumberBox(d) {
    return new Promise((resolve) => {
      const { box, body, close } = this.openModal(d.caption, "mazeNumber");
      if (d.code) {
        element("div", "text", body).textContent = d.current;
        const row = element("div", "coderow", body);
        const code = element("input", "code", row);
        code.id = "mazeCode";
        code.readOnly = true;
        code.value = d.code;
        const copy = element("button", "", row);
        copy.id = "mazeCodeCopy";
        copy.textContent = d.copy;
        copy.addEventListener("click", () => copyText(d.code, code));
        const copyLink = element("button", "", row);
        copyLink.id = "mazeLinkCopy";
        copyLink.textContent = d.copyLink;
        copyLink.addEventListener("click", () => copyText(`${pageAddress()}#${d.link}`, code));
      } else {
        element("div", "text", body).textContent = d.none;
      }
      element("div", "text", body).textContent = d.entryLabel;
      const field = element("input", "code", body);
      field.type = "text";
      field.id = "mazeCodeEntry";
      field.value = d.entry;
      const buttons = element("div", "buttons", body);
      const finish = (value) => {
        close();
        resolve(value);
      };
      const build = element("button", "", buttons);
      build.id = "mazeCodeBuild";
      build.textContent = d.build;
      build.addEventListener("click", () => finish(field.value));
      const dismiss = element("button", "", buttons);
      dismiss.textContent = d.close;
      dismiss.addEventListener("click", () => finish(null));
      box.addEventListener("keydown", (e) => {
        if (e.key === "Escape") finish(null);
        else if (e.key === "Enter" && e.target === field) finish(field.value);
      });
      field.focus();
    });
  }

  askYesNo(text, title, yes, no) {
    return this.box(title, text, [{ text: yes, value: () => true }, { text: no, value: () => false }]);
  }

  inputBox(prompt, title, ok, cancel) {
    return this.box(title, prompt, [{ text: ok, value: (f) => f.value },
                                    { text: cancel, value: () => null }], true);
  }

  message(text, title, ok) {
    return this.box(title, text, [{ text: ok, value: () => undefined }]);
  }
}
