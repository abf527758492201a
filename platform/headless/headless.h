// The headless backend's side door for tests: a desktop with no screen, whose clock only moves
// when a test says so, and whose user is the test.
//
// show_modal returns at once here: the test plays the event loop, delivering clicks, keys and
// timer ticks one at a time, exactly as the real toolkits would, and reads back what a user sees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace lv::headless {

// Starts a fresh desktop: clock at 0, no messages, no key held, program not ended, "." as decimal
// separator. Windows and timers still alive keep existing.
void reset();

// Time. advance() delivers every tick that falls due within the next `ms` milliseconds, in time
// order (timers due at the same moment in creation order).
void advance(std::int64_t ms);
std::int64_t now();

// The user. Input to hidden controls or after the program has ended is a test error and throws.
void click(ui::Button& button);
void type(ui::EditField& field, const std::string& text);  // replaces the field's text
void close(ui::Window& window);                            // through the title bar
// Keys go to the window on top, as the toolkits' keys do: through the program's key rules, and
// what the rules leave to the toolkit (Tab, typing into a field) is done here as a toolkit would.
enum class Key { tab, enter, space, escape };
void press(Key key);  // down and up
void hold(Key key);   // down, and held
void repeat(Key key, int times);
void release(Key key);
void press_letter(char letter);  // alone, without Alt
void press_alt(char letter);
void type_keys(const std::string& text);  // key by key, into the focused field if any
const ui::Control* focused();             // in the window on top; null when nothing has the focus

// What the program showed and did.
std::vector<std::string> take_messages();  // error messages shown since the last call
bool program_ended();
bool modal(const ui::Window& window);  // shown by show_modal or show_again, not hidden since
bool screen_kept_on();                 // a window that keeps the screen on is shown
bool text_selected(
    const ui::EditField& field);  // all of its text, as focus_with_text_selected does

// What a control looks like.
ui::Twips place(const ui::Control& control);
ui::Twips client_size(const ui::Window& window);
ui::Background background(const ui::Window& window);
ui::Font font(const ui::Label& label);  // face empty: the default font
ui::Align alignment(const ui::Label& label);
std::string picture(const ui::PictureBox& box);

// The user's settings.
void set_decimal_separator(const std::string& separator);

}  // namespace lv::headless
