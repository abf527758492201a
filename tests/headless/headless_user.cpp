// The user of the stories on the headless desktop: the story runs between the program's events,
// and waiting moves the simulated clock a millisecond at a time.
#include <algorithm>

#include "exercise/frm_werk.h"
#include "platform/headless/headless.h"
#include "platform/program.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "tests/scenario/user.h"

namespace lv::user {

namespace {

constexpr std::int64_t kPatience = 10 * 60 * 1000;  // ms of simulated time

}  // namespace

// What the exercise window showed in the middle, noted after each millisecond.
struct Watch::Notes {
  std::vector<Change> changes;
};

namespace {

std::vector<Watch::Notes*> watches;
bool syllable_shown = false;
bool picture_shown = false;

void note_changes() {
  if (watches.empty()) return;
  const frm_werk& werk = forms::werk();
  const auto note = [&](Change::What what, bool shown) {
    for (Watch::Notes* notes : watches) {
      notes->changes.push_back({clock_ms(), what, shown, werk.txt_string.text(), werk.Label3.text(),
                                werk.Label1.text()});
    }
  };
  if (werk.txt_string.visible() != syllable_shown) {
    syllable_shown = !syllable_shown;
    note(Change::What::syllable, syllable_shown);
  }
  if (werk.Picture1.visible() != picture_shown) {
    picture_shown = !picture_shown;
    note(Change::What::picture, picture_shown);
  }
}

headless::Key key_of(Key key) {
  switch (key) {
    case Key::tab:
      return headless::Key::tab;
    case Key::enter:
      return headless::Key::enter;
    case Key::space:
      return headless::Key::space;
    case Key::escape:
      break;
  }
  return headless::Key::escape;
}

}  // namespace

void run_program(const std::function<void()>& story) {
  forms::unload_all();
  headless::reset();
  Main();
  story();
  forms::unload_all();
}

void look(const std::function<void()>& look_at) {
  look_at();
}

bool wait_until(const std::function<bool()>& condition) {
  for (std::int64_t waited = 0; waited <= kPatience; ++waited) {
    if (condition()) return true;
    headless::advance(1);
    note_changes();
  }
  return false;
}

double clock_ms() {
  return static_cast<double>(headless::now());
}

void press(Key key) {
  headless::press(key_of(key));
}
void hold(Key key) {
  headless::hold(key_of(key));
}
void repeat(Key key, int times) {
  headless::repeat(key_of(key), times);
}
void release(Key key) {
  headless::release(key_of(key));
}
void press_letter(char letter) {
  headless::press_letter(letter);
}
void press_alt(char letter) {
  headless::press_alt(letter);
}

void type(const std::string& text) {
  headless::type_keys(text);
}

void click(ui::Button& button) {
  headless::click(button);
}
void close(ui::Window& window) {
  headless::close(window);
}

std::string answer_message() {
  const std::vector<std::string> messages = headless::take_messages();
  return messages.size() == 1 ? messages.front() : std::string();
}

const ui::Control* focused() {
  return headless::focused();
}
bool text_selected(const ui::EditField& field) {
  return headless::text_selected(field);
}
int waits_nested() {
  return 0;  // showing returns at once here: the story plays the event loop
}

Watch::Watch() : notes_(std::make_unique<Notes>()) {
  if (watches.empty()) {
    const frm_werk& werk = forms::werk();
    syllable_shown = werk.txt_string.visible();
    picture_shown = werk.Picture1.visible();
  }
  watches.push_back(notes_.get());
}

Watch::~Watch() {
  watches.erase(std::remove(watches.begin(), watches.end(), notes_.get()), watches.end());
}

std::vector<Change> Watch::changes() const {
  return notes_->changes;
}

}  // namespace lv::user
