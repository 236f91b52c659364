// The page's functions the game imports (declared in bridge.h): one import per operation,
// each a call on the page object handed to the module as `page` (web/page.js). Linked with
// --js-library. The waits suspend the game with Asyncify until the page's promise settles;
// each of them is listed in ASYNCIFY_IMPORTS (CMakeLists.txt).
mergeInto(LibraryManager.library, {
  // ---- Controls --------------------------------------------------------------------------

  js_set_text: function(id, text) {
    Module.page.setText(UTF8ToString(id), UTF8ToString(text));
  },
  js_set_title: function(id, text) {
    Module.page.setTitle(UTF8ToString(id), UTF8ToString(text));
  },
  js_set_colour: function(id, red, green, blue) {
    Module.page.setColour(UTF8ToString(id), red, green, blue);
  },
  js_set_caption: function(text) {
    Module.page.setCaption(UTF8ToString(text));
  },
  js_set_address: function(fragment) {
    Module.page.setAddress(UTF8ToString(fragment));
  },
  js_show_game: function() {
    Module.page.showGame();
  },
  js_show_clear_panel: function(visible) {
    Module.page.showClearPanel(visible !== 0);
  },
  js_hide_busy: function() {
    Module.page.setBusy(false);
  },
  js_check_animation: function(index) {
    Module.page.checkAnimation(index);
  },
  js_enable_make_menu: function(enabled) {
    Module.page.enableMakeMenu(enabled !== 0);
  },
  js_show_map: function(shown) {
    Module.page.showMap(shown !== 0);
  },
  js_set_fit: function(fit) {
    Module.page.setFit(fit !== 0);
  },
  js_put_view: function(pixels, width, height) {
    Module.page.putView(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height);
  },
  js_put_map: function(pixels, width, height) {
    Module.page.putMap(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height);
  },
  js_viewport: function(out) {
    const v = Module.page.viewport();
    HEAPF64[(out >> 3) + 0] = v.width;
    HEAPF64[(out >> 3) + 1] = v.height;
    HEAPF64[(out >> 3) + 2] = v.menuHeight;
    HEAPF64[(out >> 3) + 3] = v.pixelRatio;
    HEAPF64[(out >> 3) + 4] = v.coarse ? 1 : 0;
  },
  js_apply_layout: function(json) {
    Module.page.applyLayout(JSON.parse(UTF8ToString(json)));
  },
  js_retranslate: function(json) {
    Module.page.retext(JSON.parse(UTF8ToString(json)));
  },

  // ---- Floating windows and files --------------------------------------------------------

  js_show_ranking: function(json) {
    Module.page.showRanking(JSON.parse(UTF8ToString(json)));
  },
  js_ranking_shown: function() {
    return Module.page.rankingShown() ? 1 : 0;
  },
  js_raise_ranking: function() {
    Module.page.raiseRanking();
  },
  js_show_version: function(json) {
    Module.page.showVersion(JSON.parse(UTF8ToString(json)));
  },
  js_version_shown: function() {
    return Module.page.versionShown() ? 1 : 0;
  },
  js_raise_version: function() {
    Module.page.raiseVersion();
  },
  // JSON keeps a text's byte-order mark, which UTF8ToString would drop.
  js_download: function(json) {
    Module.page.download(JSON.parse(UTF8ToString(json)));
  },
  js_open: function(url) {
    Module.page.open(UTF8ToString(url));
  },
  js_notice: function(text) {
    Module.page.notice(UTF8ToString(text));
  },

  // ---- Storage ---------------------------------------------------------------------------

  js_storage_read: function(key) {
    const t = Module.page.storageRead(UTF8ToString(key));
    return t === null ? 0 : allocateUTF8(t);
  },
  // UTF8ToString's decoder would drop a byte-order mark at the start of the text; a stored
  // file keeps its mark.
  js_storage_write: function(key, text, length) {
    const bytes = HEAPU8.subarray(text, text + length);
    const decoded = new TextDecoder("utf-8", { ignoreBOM: true }).decode(bytes);
    return Module.page.storageWrite(UTF8ToString(key), decoded) ? 1 : 0;
  },
  js_storage_remove: function(key) {
    return Module.page.storageRemove(UTF8ToString(key)) ? 1 : 0;
  },
  js_storage_exists: function(key) {
    return Module.page.storageRead(UTF8ToString(key)) === null ? 0 : 1;
  },

  // ---- Sound -----------------------------------------------------------------------------

  js_music_start: function(name) {
    Module.page.musicStart(UTF8ToString(name));
  },
  js_music_stop: function() {
    Module.page.musicStop();
  },
  js_effect_load: function(name) {
    Module.page.effectLoad(UTF8ToString(name));
  },
  js_effect_play: function(name) {
    Module.page.effectPlay(UTF8ToString(name));
  },
  js_beep: function() {
    Module.page.beep();
  },

  // ---- The ending's lines on the clear panel ---------------------------------------------

  js_ending_add_line: function(index) {
    Module.page.endingAddLine(index);
  },
  js_ending_line_visible: function(index, visible) {
    Module.page.endingLineVisible(index, visible !== 0);
  },
  js_ending_line_top: function(index, top) {
    Module.page.endingLineTop(index, top);
  },
  js_ending_line_font: function(index, points) {
    Module.page.endingLineFont(index, points);
  },
  js_ending_line_text: function(index, text) {
    Module.page.endingLineText(index, UTF8ToString(text));
  },
  js_ending_height: function(height) {
    Module.page.endingHeight(height);
  },
  js_ending_scroll: function(top) {
    Module.page.endingScroll(top);
  },

  // ---- Waits (ASYNCIFY_IMPORTS) ----------------------------------------------------------

  js_wait_frame: function() {
    return Asyncify.handleAsync(() => Module.page.waitFrame());
  },
  js_show_busy: function() {
    return Asyncify.handleAsync(() => Module.page.showBusy());
  },
  js_ask_yes_no: function(text, title, yes, no) {
    const args = [UTF8ToString(text), UTF8ToString(title), UTF8ToString(yes), UTF8ToString(no)];
    return Asyncify.handleAsync(async () => ((await Module.page.askYesNo(...args)) ? 1 : 0));
  },
  js_input_box: function(prompt, title, ok, cancel) {
    const args = [UTF8ToString(prompt), UTF8ToString(title), UTF8ToString(ok),
                  UTF8ToString(cancel)];
    return Asyncify.handleAsync(async () => {
      const t = await Module.page.inputBox(...args);
      return t === null ? 0 : allocateUTF8(t);
    });
  },
  js_message: function(text, title, ok) {
    const args = [UTF8ToString(text), UTF8ToString(title), UTF8ToString(ok)];
    return Asyncify.handleAsync(() => Module.page.message(...args));
  },
  js_pause: function(milliseconds) {
    return Asyncify.handleAsync(async () => ((await Module.page.pause(milliseconds)) ? 1 : 0));
  },
  js_slide_strip: function(tops, count, showing) {
    const positions = Array.from(HEAP32.subarray(tops >> 2, (tops >> 2) + count));
    return Asyncify.handleAsync(() => Module.page.slideStrip(positions, showing !== 0));
  },
  js_key_settings: function() {
    return Asyncify.handleAsync(async () => ((await Module.page.keySettings()) ? 1 : 0));
  },
  js_maze_number_box: function(json) {
    const description = JSON.parse(UTF8ToString(json));
    return Asyncify.handleAsync(async () => {
      const t = await Module.page.mazeNumberBox(description);
      return t === null ? 0 : allocateUTF8(t);
    });
  },
  js_yield: function() {
    return Asyncify.handleAsync(() => Module.page.yieldEvents());
  },
});
