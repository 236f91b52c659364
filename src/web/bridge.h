// What the C++ side of the browser shell calls in the page: one import per operation, each
// defined in page_imports.js (linked with --js-library) as a call on the page object
// (web/page.js). The waits suspend the game with Asyncify until the page answers.
#pragma once

#include <cstdint>

extern "C" {

// Controls, by the id the windows' description gives them.
void js_set_text(const char* id, const char* text);
void js_set_title(const char* id, const char* text);  // a control's tooltip
void js_set_colour(const char* id, int red, int green, int blue);

void js_set_caption(const char* text);  // the game window's caption: the tab's title
// The current maze's link ("maze=CODE") in the page's address; empty for none.
void js_set_address(const char* fragment);
void js_show_game();  // the title window gives way to the game window
void js_show_clear_panel(int visible);
void js_hide_busy();  // "Please Wait" taken away; js_show_busy shows it
void js_check_animation(int index);
void js_enable_make_menu(int enabled);  // the maze-making items
void js_show_map(int shown);
// The check mark of "画面に合わせる".
void js_set_fit(int fit);
void js_put_view(const uint32_t* pixels, int width, int height);
void js_put_map(const uint32_t* pixels, int width, int height);
// innerWidth, innerHeight, menu bar height (CSS pixels), the device pixel ratio and 1 when
// the pointer is a finger.
void js_viewport(double* out);
// The arranged window: a JSON object of CSS pixel positions.
void js_apply_layout(const char* json);
// The windows' captions again, from a new description (JSON), the game's texts kept.
void js_retranslate(const char* json);

// The ranking table and the About box (JSON descriptions), modeless: shown anew, asked
// whether open, brought to the front as they are.
void js_show_ranking(const char* json);
int js_ranking_shown();
void js_raise_ranking();
void js_show_version(const char* json);
int js_version_shown();
void js_raise_version();
void js_download(const char* json);  // {"name", "text"}: a file the browser saves
void js_open(const char* url);
void js_notice(const char* text);

char* js_storage_read(const char* key);  // malloc'd, null when missing or unreadable
int js_storage_write(const char* key, const char* text, int length);
int js_storage_exists(const char* key);
int js_storage_remove(const char* key);  // 1 when the key is gone

void js_music_start(const char* name);
void js_music_stop();
void js_effect_load(const char* name);
void js_effect_play(const char* name);
void js_beep();

// The ending's lines on the clear panel: line 0 is the panel's own, the others are copies
// of it.
void js_ending_add_line(int index);
void js_ending_line_visible(int index, int visible);
void js_ending_line_top(int index, int top);
void js_ending_line_font(int index, double points);
void js_ending_line_text(int index, const char* text);
void js_ending_height(int height);
void js_ending_scroll(int top);

// Waits: the game is suspended until the page resolves them (ASYNCIFY_IMPORTS).
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
