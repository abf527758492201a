// The page's side of the web backend: the few functions of dom.js that the C++ calls, and the one
// it calls back. Elements, windows and alarms are known to both sides by small whole numbers. The
// numbers of the enums below are the page's too: the build writes them into dom_constants.js, as
// LV_C.
#pragma once

#include <cstddef>

extern "C" {

// What the page has queued for the program: a kind and up to four numbers.
enum lv_event_kind {
  lv_event_none = 0,
  lv_event_alarm = 1,  // alarm
  lv_event_click = 2,  // element
  lv_event_close = 3,  // window, through its close box
  lv_event_key = 4,    // motion, key, the window it reached, the element with the focus
  lv_event_message_closed = 5,
  lv_event_resize = 6,
  lv_event_visibility = 7,  // hidden (1) or shown (0)
};
enum lv_key_motion { lv_key_down = 0, lv_key_repeat = 1, lv_key_up = 2 };
// Enter and Space on a focused button; with Alt, the letters 'a' to 'z' that mark a button.
enum lv_key { lv_key_enter = 1, lv_key_space = 2 };
struct lv_event {
  int kind;
  int values[4];
};

// Waits for the next event without keeping the browser from anything meanwhile: returns when
// one is queued. With yield_only, comes back after one turn of the browser's own loop whether or
// not an event came (kind none), so that painting and input go on between ticks made up.
void lv_next_event(lv_event* event, int yield_only);

int lv_window_create(const char* name, const char* caption, int grey);
void lv_window_show(int window);  // in front
void lv_window_hide(int window);
// Places the window (its outer edges, in CSS pixels) and sizes its title bar and default font.
void lv_window_place(int window, int left, int top, int width, int height, int title_height,
                     double font_px);
int lv_viewport_width();
int lv_viewport_height();

enum lv_control_kind { lv_label = 0, lv_edit = 1, lv_button = 2, lv_picture = 3 };
// For a button, mnemonic is the index in text of its Alt letter, or -1.
int lv_control_create(int window, int kind, const char* name, const char* text, int mnemonic);
void lv_control_place(int element, int left, int top, int width, int height);
void lv_control_show(int element, int visible);
void lv_control_font(int element, const char* face, double px, int bold);
void lv_control_centre(int element, int centre);
void lv_label_for(int label, int field);
void lv_set_text(int element, const char* text);
std::size_t lv_text_size(int element);  // in UTF-8 bytes, without the closing NUL
void lv_copy_text(int element, char* buffer, std::size_t size);
void lv_focus(int element, int select_all);
// The element of the window that has the focus, or 0.
int lv_focused_element(int window);
// Presses a button of the page's own (the message's "OK", "Opnieuw starten").
void lv_click(int element);

void lv_alarm_ring(int alarm, double first_ms, double period_ms);
void lv_alarm_silence(int alarm);
// The tick a timer's alarm rang runs now, at `moment` (ms on the page's clock) in its schedule,
// however late, the program's timers having given up `given_up` ms of deadlines so far; a
// moment below 0: no tick runs (a key, a click, the page's own events).
void lv_tick_moment(double moment, double given_up);

void lv_show_message(const char* title, const char* text);
void lv_keep_screen_on(int on);
void lv_copy_decimal_separator(char* buffer, std::size_t size);
// The program has ended: the page says so and offers a fresh start.
void lv_stopped();

// The one the page calls, defined by the program: the alarm of that number rang while the
// program's loop slept in lv_next_event with nothing queued. Runs its tick, if one is due, and
// returns nonzero when the loop must wake to go on.
int lv_alarm_rang_while_asleep(int alarm);
}
