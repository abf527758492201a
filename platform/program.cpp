#include "platform/program.h"

#include <algorithm>
#include <stdexcept>

#include "platform/backend.h"
#include "platform/mnemonic.h"

namespace lv::ui {

namespace {

template <typename List, typename Match>
void erase_if(List& list, Match match) {
  list.erase(std::remove_if(list.begin(), list.end(), match), list.end());
}

}  // namespace

// Never destroyed: windows and timers that live in static objects (the forms, a test's own) may
// go after any static of the program, and they remove themselves as they go.
Program& program() {
  static Program* const the_program = new Program;
  return *the_program;
}

void Program::add(Window& window) {
  windows_.push_back(&window);
}
void Program::remove(const Window& window) {
  erase_if(windows_, [&](const Window* w) { return w == &window; });
}
void Program::add(Control& control, Window& window, ControlKind kind) {
  controls_.push_back({&control, &window, kind});
}
void Program::remove(const Control& control) {
  erase_if(controls_, [&](const Entry& e) { return e.control == &control; });
}
void Program::add(Timer& timer) {
  timers_.push_back(&timer);
}
void Program::remove(const Timer& timer) {
  erase_if(timers_, [&](const Timer* t) { return t == &timer; });
}

const Program::Entry& Program::entry(const Control& control) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const Entry& e) { return e.control == &control; });
  if (found == controls_.end()) throw std::logic_error(control.name() + " is no control of ours");
  return *found;
}

std::vector<Control*> Program::controls(const Window& window) const {
  std::vector<Control*> in_window;
  for (const Entry& e : controls_) {
    if (e.window == &window) in_window.push_back(e.control);
  }
  return in_window;
}

Window& Program::window_of(const Control& control) const {
  return *entry(control).window;
}

ControlKind Program::kind(const Control& control) const {
  return entry(control).kind;
}

bool Program::takes_focus(const Control& control) const {
  return kind(control) != ControlKind::label && control.visible();
}

Control* Program::first_to_focus(const Window& window) const {
  return next_to_focus(window, nullptr);
}

Control* Program::next_to_focus(const Window& window, const Control* from) const {
  const std::vector<Control*> order = controls(window);
  const auto at = std::find(order.begin(), order.end(), from);
  const std::size_t start =
      at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin()) + 1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    Control* candidate = order[(start + i) % order.size()];
    if (takes_focus(*candidate)) return candidate;
  }
  return nullptr;
}

void Program::run(const std::function<void()>& handler) const {
  if (!ended_ && handler) handler();
}

Button* Program::button_for(const Window& window, char letter) const {
  for (const Entry& e : controls_) {
    if (e.window != &window || e.kind != ControlKind::button || !e.control->visible()) continue;
    auto* button = static_cast<Button*>(e.control);
    if (read_mnemonic(button->caption()).letter == letter) return button;
  }
  return nullptr;
}

bool Program::key(const KeyStroke& stroke, Window* window, Control* focused) {
  const bool marked =
      window && stroke.name == KeyName::letter && button_for(*window, stroke.letter) != nullptr;
  const KeyRules::Outcome outcome =
      key_rules_.take(stroke, {window != nullptr, reinterpret_cast<std::uintptr_t>(focused),
                               focused && kind(*focused) == ControlKind::button, marked});
  Button* pressed = nullptr;
  if (outcome.press == KeyRules::Press::focused) pressed = static_cast<Button*>(focused);
  if (outcome.press == KeyRules::Press::mnemonic) pressed = button_for(*window, stroke.letter);
  if (pressed) run(pressed->on_click);
  return outcome.toolkit;
}

void Program::start_afresh() {
  ended_ = false;
  key_rules_.forget();
}

void end_program() {
  Program& program = ui::program();
  if (program.ended_) return;
  program.ended_ = true;
  for (Timer* timer : program.timers_) timer->stop();
  for (Window* window : program.windows_) window->hide();
  backend::program_ended();
}

}  // namespace lv::ui
