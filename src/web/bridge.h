// What the C++ side of the browser shell calls in the page: the functions of the page's
// shell object (web/shell.js), imported into WebAssembly. The async ones suspend the game
// with Asyncify until the page answers.
#pragma once

#include <cstdint>

extern "C" {

void js_set_text(const char* id, const char* text);
void js_set_title(const char* id, const char* text);  // a control's tooltip
void js_set_colour(const char* id, int red, int green, int blue);
void js_set_flag(const char* name, int value);
void js_put_view(const uint32_t* pixels, int width, int height);
void js_put_map(const uint32_t* pixels, int width, int height);
// innerWidth, innerHeight, menu bar height (CSS pixels), the device pixel ratio and 1 when
// the pointer is a finger.
void js_viewport(double* out);
// The arranged window: a JSON object of CSS pixel positions.
void js_apply_layout(const char* json);
void js_show_window(const char* name, const char* json);
int js_window_shown(const char* name);
void js_raise_window(const char* name);  // an open window brought to the front as it is
// The windows' captions again, from a new shell description (JSON), the game's texts kept.
void js_retranslate(const char* json);
void js_open(const char* url);
void js_notice(const char* text);

char* js_storage_read(const char* key);  // malloc'd, null when missing or unreadable
int js_storage_write(const char* key, const char* text, int length);
int js_storage_exists(const char* key);
int js_storage_remove(const char* key);  // 1 when the key is gone

void js_audio(const char* operation, const char* name);
void js_beep();
void js_ending(const char* operation, int index, int value, const char* text);

// Waits: the game is suspended until the page resolves them.
void js_wait_frame();
void js_show_busy();
int js_ask_yes_no(const char* text, const char* title, const char* yes, const char* no);
char* js_input_box(const char* prompt, const char* title, const char* ok, const char* cancel);
void js_message(const char* text, const char* title, const char* ok);
int js_pause(int milliseconds);
void js_slide_strip(const int* tops, int count, int showing);
void js_yield();
int js_key_settings();  // 1 when the player closed the key settings with OK
// The maze number box (its description, JSON): the code typed to build, malloc'd; null when
// closed.
char* js_maze_number_box(const char* json);
}
