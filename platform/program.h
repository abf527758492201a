// The program as every backend sees it, kept once: its windows, controls and timers, whether it
// has ended, the running of its handlers, its focus order and its keys. The backends add what
// they make as they make it and remove it as it goes; end_program (controls.h) reaches it all
// from here.
#pragma once

#include <functional>
#include <vector>

#include "platform/controls.h"
#include "platform/key_rules.h"

namespace lv::ui {

enum class ControlKind { label, edit_field, button, picture_box };

class Program {
 public:
  void add(Window& window);
  void remove(const Window& window);
  // Last in its window's focus order.
  void add(Control& control, Window& window, ControlKind kind);
  void remove(const Control& control);
  void add(Timer& timer);
  void remove(const Timer& timer);

  const std::vector<Window*>& windows() const { return windows_; }
  const std::vector<Timer*>& timers() const { return timers_; }
  // The window's controls in creation order, which is the focus order.
  std::vector<Control*> controls(const Window& window) const;
  Window& window_of(const Control& control) const;
  ControlKind kind(const Control& control) const;

  // Buttons, edit fields and shown picture boxes take the focus; static texts never do.
  bool takes_focus(const Control& control) const;
  // The first control in the window's focus order that takes the focus, or null.
  Control* first_to_focus(const Window& window) const;
  // The next one after `from` that takes it, round to the start (from the start for null).
  Control* next_to_focus(const Window& window, const Control* from) const;

  bool ended() const { return ended_; }
  // No handler runs from now on, while windows and timers stay as they are: for a backend that
  // must tell the user why it stops before it can end.
  void refuse_handlers() { ended_ = true; }
  // Every handler of the program runs through here: none runs once the program has ended.
  void run(const std::function<void()>& handler) const;

  // A key as the toolkit saw it, in `window` (null for a window that is not the program's, such
  // as a message box), with `focused` the program's control that has the focus there. Presses
  // the button the rules name; returns whether the toolkit should go on and see the key itself.
  bool key(const KeyStroke& stroke, Window* window, Control* focused);
  KeyRules& key_rules() { return key_rules_; }

  // For test programs that run the program more than once in one process: a fresh run, not
  // ended, with no key held.
  void start_afresh();

 private:
  friend void end_program();

  struct Entry {
    Control* control;
    Window* window;
    ControlKind kind;
  };
  const Entry& entry(const Control& control) const;
  Button* button_for(const Window& window, char letter) const;

  std::vector<Window*> windows_;
  std::vector<Entry> controls_;  // in creation order
  std::vector<Timer*> timers_;   // in creation order
  KeyRules key_rules_;
  bool ended_ = false;
};

Program& program();

}  // namespace lv::ui
