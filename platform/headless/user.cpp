// The test as the user: keyboard, mouse and title bar, and what the user can see.
#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/program.h"

namespace lv::headless {

namespace {

void require_running() {
  if (ui::program().ended()) throw std::logic_error("the program has ended");
}

void require_usable(const ui::Control& control) {
  require_running();
  if (!control.visible() || !ui::program().window_of(control).visible()) {
    throw std::logic_error(control.name() + " cannot be reached: it is not on screen");
  }
}

ui::Window& require_window_on_top() {
  require_running();
  ui::Window* top = window_on_top();
  if (!top) throw std::logic_error("no window is shown");
  return *top;
}

struct KeyOf {
  ui::KeyName name;
  int code;
};

KeyOf key_of(Key key) {
  switch (key) {
    case Key::tab:
      return {ui::KeyName::tab, 9};
    case Key::enter:
      return {ui::KeyName::enter, 13};
    case Key::space:
      return {ui::KeyName::space, 32};
    case Key::escape:
      break;
  }
  return {ui::KeyName::escape, 27};
}

// What a toolkit does with a key the rules leave to it: Tab moves the focus on, selecting a
// field's text; a field takes what is typed, over its selected text.
void as_a_toolkit(ui::Window& window, ui::KeyName name, char typed) {
  ui::Control* focus = window.impl().focus;
  const bool in_field = focus && ui::program().kind(*focus) == ui::ControlKind::edit_field;
  if (name == ui::KeyName::tab) {
    if (in_field) focus->impl().text_selected = false;
    ui::Control* next = ui::program().next_to_focus(window, focus);
    window.impl().focus = next;
    if (next && ui::program().kind(*next) == ui::ControlKind::edit_field) {
      next->impl().text_selected = true;
    }
  } else if (in_field && typed) {
    auto& field = focus->impl();
    if (field.text_selected) field.text.clear();
    field.text += typed;
    field.text_selected = false;
  }
}

// A key to the window on top, through the program's key rules; `typed` is the character it types
// where a field takes it.
void stroke(ui::KeyStroke::Motion motion, ui::KeyName name, int code, char letter, bool alt,
            char typed) {
  ui::Window* window = window_on_top();
  if (motion != ui::KeyStroke::Motion::up) window = &require_window_on_top();
  if (!window) return;  // a key let go of after the program has gone
  const bool toolkit =
      ui::program().key({motion, code, name, letter, alt, reinterpret_cast<std::uintptr_t>(window)},
                        window, window->impl().focus);
  if (toolkit && motion != ui::KeyStroke::Motion::up && !alt) as_a_toolkit(*window, name, typed);
}

void stroke(ui::KeyStroke::Motion motion, Key key) {
  const KeyOf k = key_of(key);
  stroke(motion, k.name, k.code, '\0', false, key == Key::space ? ' ' : '\0');
}

// A character's key goes down and comes up.
void character(char typed, bool alt) {
  const auto byte = static_cast<unsigned char>(typed);
  const bool letter = std::isalpha(byte) != 0;
  const char lower = static_cast<char>(std::tolower(byte));
  for (const auto motion : {ui::KeyStroke::Motion::down, ui::KeyStroke::Motion::up}) {
    stroke(motion, letter ? ui::KeyName::letter : ui::KeyName::other, std::toupper(byte),
           letter ? lower : '\0', alt, typed);
  }
}

}  // namespace

void click(ui::Button& button) {
  require_usable(button);
  ui::program().run(button.on_click);
}

void type(ui::EditField& field, const std::string& text) {
  require_usable(field);
  ui::program().window_of(field).impl().focus = &field;
  field.set_text(text);
}

void close(ui::Window& window) {
  require_running();
  if (!window.visible()) throw std::logic_error(window.name() + " is not on screen");
  if (window.on_close) {
    ui::program().run(window.on_close);
  } else {
    window.hide();
  }
}

void press(Key key) {
  hold(key);
  release(key);
}
void hold(Key key) {
  stroke(ui::KeyStroke::Motion::down, key);
}
void repeat(Key key, int times) {
  for (int i = 0; i < times; ++i) stroke(ui::KeyStroke::Motion::repeat, key);
}
void release(Key key) {
  stroke(ui::KeyStroke::Motion::up, key);
}
void press_letter(char letter) {
  character(letter, false);
}
void press_alt(char letter) {
  character(letter, true);
}
void type_keys(const std::string& text) {
  for (const char typed : text) character(typed, false);
}

const ui::Control* focused() {
  const ui::Window* window = window_on_top();
  return window ? window->impl().focus : nullptr;
}

bool modal(const ui::Window& window) {
  return window.impl().modal;
}
bool screen_kept_on() {
  const auto& windows = ui::program().windows();
  return std::any_of(windows.begin(), windows.end(), [](const ui::Window* window) {
    return window->visible() && window->impl().keeps_screen_on;
  });
}
bool text_selected(const ui::EditField& field) {
  return field.impl().text_selected && focused() == &field;
}

ui::Twips place(const ui::Control& control) {
  return control.impl().place;
}
ui::Twips client_size(const ui::Window& window) {
  return window.impl().client_size;
}
ui::Background background(const ui::Window& window) {
  return window.impl().background;
}
ui::Font font(const ui::Label& label) {
  return label.impl().font;
}
ui::Align alignment(const ui::Label& label) {
  return label.impl().align;
}
std::string picture(const ui::PictureBox& box) {
  return box.impl().text;
}

}  // namespace lv::headless
