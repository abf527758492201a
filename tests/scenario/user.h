// What a person at the screen does and sees, for the stories every desktop backend runs
// (stories.cpp). Each backend's tests define these functions over its toolkit, linked in as the
// backend itself is: the program runs as it runs for a user, and the story acts on it from
// outside, the way a user would, never by calling its handlers.
//
// On a real toolkit the story runs beside the program, on a thread of its own, and waits for
// what it expects, in real time; on the headless desktop it runs between the program's events,
// and waiting moves the simulated clock.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace lv::user {

// Runs the program from Main, with `story` as its user; returns once both are over. Whatever the
// story leaves running is ended, and the program's windows are unloaded.
void run_program(const std::function<void()>& story);

// Runs `look` where the program runs, between its events, and returns once it has: everything
// read or checked about the program is read there. Called there itself, it just runs it.
void look(const std::function<void()>& look);

template <typename Look>
auto see(Look look_at) {
  decltype(look_at()) seen{};
  look([&] { seen = look_at(); });
  return seen;
}

// Waits until `condition`, looked at where the program runs, holds; false when it never came
// within a generous time.
bool wait_until(const std::function<bool()>& condition);

// Milliseconds on a steady clock: the program's time.
double clock_ms();

// The keyboard, to the window that has the focus. Each returns once the program has handled what
// it sent, or has begun to wait for a window it opened.
enum class Key { tab, enter, space, escape };
void press(Key key);  // down and up
void hold(Key key);   // down, and it stays down
void repeat(Key key, int times);
void release(Key key);
void press_letter(char letter);  // alone
void press_alt(char letter);
void type(const std::string& text);  // into the focused field, over what is selected there

// The mouse.
void click(ui::Button& button);
void close(ui::Window& window);  // its title bar's close box

// Waits for the error message, reads it, and acknowledges it with its "OK"; empty when none came.
std::string answer_message();

// Looked at where the program runs (inside look, see or wait_until):
const ui::Control* focused();                    // in the active window; null for none
bool text_selected(const ui::EditField& field);  // all of it, ready to be typed over
int waits_nested();  // how many modal showings wait, one inside the other

// What the exercise window shows in the middle as it changes, from the moment a Watch is made
// until it goes: the syllable or the rest picture shown or hidden, when, and the readings then.
struct Change {
  enum class What { syllable, picture };
  double at_ms;
  What what;
  bool shown;
  std::string syllable;  // what the syllable reads
  std::string reeks;     // the series number
  std::string tijd;      // the interval
};

class Watch {
 public:
  Watch();
  ~Watch();
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  std::vector<Change> changes() const;  // anywhere, also where the program runs

  struct Notes;  // the backend's

 private:
  std::unique_ptr<Notes> notes_;
};

}  // namespace lv::user
