// The imports of bridge.h, each a call into the page's shell object.
#include "web/bridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, js_set_text, (const char* id, const char* text), {
    Module.shell.setText(UTF8ToString(id), UTF8ToString(text));
});
EM_JS(void, js_set_title, (const char* id, const char* text), {
    Module.shell.setTitle(UTF8ToString(id), UTF8ToString(text));
});
EM_JS(void, js_set_colour, (const char* id, int red, int green, int blue), {
    Module.shell.setColour(UTF8ToString(id), red, green, blue);
});
EM_JS(void, js_set_flag, (const char* name, int value), {
    Module.shell.setFlag(UTF8ToString(name), value);
});
EM_JS(void, js_put_view, (const uint32_t* pixels, int width, int height), {
    Module.shell.putView(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height);
});
EM_JS(void, js_put_map, (const uint32_t* pixels, int width, int height), {
    Module.shell.putMap(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height);
});
EM_JS(void, js_viewport, (double* out), {
    const v = Module.shell.viewport();
    HEAPF64[(out >> 3) + 0] = v.width;
    HEAPF64[(out >> 3) + 1] = v.height;
    HEAPF64[(out >> 3) + 2] = v.menuHeight;
    HEAPF64[(out >> 3) + 3] = v.pixelRatio;
    HEAPF64[(out >> 3) + 4] = v.coarse ? 1 : 0;
});
EM_JS(void, js_apply_layout, (const char* json), {
    Module.shell.applyLayout(JSON.parse(UTF8ToString(json)));
});
EM_JS(void, js_show_window, (const char* name, const char* json), {
    Module.shell.showWindow(UTF8ToString(name), JSON.parse(UTF8ToString(json)));
});
EM_JS(void, js_raise_window, (const char* name), {
    Module.shell.raiseWindow(UTF8ToString(name));
});
EM_JS(int, js_window_shown, (const char* name), {
    return Module.shell.windowShown(UTF8ToString(name)) ? 1 : 0;
});
EM_JS(void, js_retranslate, (const char* json), {
    Module.shell.retext(JSON.parse(UTF8ToString(json)));
});
EM_JS(void, js_open, (const char* url), {
    Module.shell.open(UTF8ToString(url));
});
EM_JS(void, js_notice, (const char* text), {
    Module.shell.notice(UTF8ToString(text));
});
EM_JS(char*, js_storage_read, (const char* key), {
    const t = Module.shell.storageRead(UTF8ToString(key));
    return t === null ? 0 : allocateUTF8(t);
});
// UTF8ToString's decoder would drop a byte-order mark at the start of the text; a stored
// file keeps its mark.
EM_JS(int, js_storage_write, (const char* key, const char* text, int length), {
    const bytes = HEAPU8.subarray(text, text + length);
    const decoded = new TextDecoder("utf-8", { ignoreBOM: true }).decode(bytes);
    return Module.shell.storageWrite(UTF8ToString(key), decoded) ? 1 : 0;
});
EM_JS(int, js_storage_remove, (const char* key), {
    return Module.shell.storageRemove(UTF8ToString(key)) ? 1 : 0;
});
EM_JS(int, js_storage_exists, (const char* key), {
    return Module.shell.storageRead(UTF8ToString(key)) === null ? 0 : 1;
});
EM_JS(void, js_audio, (const char* operation, const char* name), {
    Module.shell.audio(UTF8ToString(operation), UTF8ToString(name));
});
EM_JS(void, js_beep, (), {
    Module.shell.beep();
});
EM_JS(void, js_ending, (const char* operation, int index, int value, const char* text), {
    Module.shell.ending(UTF8ToString(operation), index, value, text ? UTF8ToString(text) : "");
});

// The waits: Asyncify suspends the game until the page's promise settles (each of these is
// listed in ASYNCIFY_IMPORTS).
EM_JS(void, js_wait_frame, (), {
    return Asyncify.handleAsync(() => Module.shell.waitFrame());
});
EM_JS(void, js_show_busy, (), {
    return Asyncify.handleAsync(() => Module.shell.showBusy());
});
EM_JS(int, js_ask_yes_no, (const char* text, const char* title, const char* yes, const char* no), {
    const args = [UTF8ToString(text), UTF8ToString(title), UTF8ToString(yes), UTF8ToString(no)];
    return Asyncify.handleAsync(async () => ((await Module.shell.askYesNo(...args)) ? 1 : 0));
});
EM_JS(char*, js_input_box, (const char* prompt, const char* title, const char* ok, const char* cancel), {
    const args = [UTF8ToString(prompt), UTF8ToString(title), UTF8ToString(ok), UTF8ToString(cancel)];
    return Asyncify.handleAsync(async () => {
        const t = await Module.shell.inputBox(...args);
        return t === null ? 0 : allocateUTF8(t);
    });
});
EM_JS(void, js_message, (const char* text, const char* title, const char* ok), {
    const args = [UTF8ToString(text), UTF8ToString(title), UTF8ToString(ok)];
    return Asyncify.handleAsync(() => Module.shell.message(...args));
});
EM_JS(int, js_pause, (int milliseconds), {
    return Asyncify.handleAsync(async () => ((await Module.shell.pause(milliseconds)) ? 1 : 0));
});
EM_JS(void, js_slide_strip, (const int* tops, int count, int showing), {
    const positions = Array.from(HEAP32.subarray(tops >> 2, (tops >> 2) + count));
    return Asyncify.handleAsync(() => Module.shell.slideStrip(positions, showing !== 0));
});
EM_JS(int, js_key_settings, (), {
    return Asyncify.handleAsync(async () => ((await Module.shell.keySettings()) ? 1 : 0));
});
EM_JS(char*, js_maze_number_box, (const char* json), {
    const description = JSON.parse(UTF8ToString(json));
    return Asyncify.handleAsync(async () => {
        const t = await Module.shell.mazeNumberBox(description);
        return t === null ? 0 : allocateUTF8(t);
    });
});
EM_JS(void, js_yield, (), {
    return Asyncify.handleAsync(() => Module.shell.yieldEvents());
});
// clang-format on
