// The program's own event loop in the page. It sleeps until the page queues an event (a key, a
// click, an alarm), yielding to the browser meanwhile, and runs the handlers on its own stack, so
// that a handler may itself wait for a window or a message, as on the desktop.
#include <algorithm>
#include <map>

#include "platform/web/web_backend.h"

namespace lv::web {

namespace {

ui::Control::Impl* control_of(int element) {
  for (ui::Window::Impl* window : program().windows) {
    for (ui::Control::Impl* control : window->controls) {
      if (control->element == element) return control;
    }
  }
  return nullptr;
}

ui::Window::Impl* window_of(int element) {
  for (ui::Window::Impl* window : program().windows) {
    if (window->element == element) return window;
  }
  return nullptr;
}

// A button presses only while it and its window are shown.
void press(const ui::Control::Impl* button) {
  if (!button || !button->on_click || !button->visible || !button->window->shown) return;
  run_handler(*button->on_click);
}

// Alt with a letter presses the button of the window in front that has it as its mnemonic; the
// letter alone presses nothing.
void press_mnemonic(int window, char letter) {
  const ui::Window::Impl* front = front_window();
  if (!front || front->element != window) return;
  for (const ui::Control::Impl* control : front->controls) {
    if (control->kind == lv_button && control->visible && control->mnemonic == letter) {
      press(control);
      return;
    }
  }
}

// Enter presses the focused button as it goes down, Space as it comes up after going down on
// that button; either only in the window the key went down in, and never for a repeat. So a key
// held from one window into the next, or through a message, does nothing there.
class Keys {
 public:
  void handle(bool down, int key, bool repeat, int window, int focused) {
    if (key != lv_key_enter && key != lv_key_space) {
      if (down && !repeat) press_mnemonic(window, static_cast<char>(key));
      return;
    }
    Key& state = keys_[key];
    if (down) {
      if (repeat) return;
      state = {window, focused};
      if (key == lv_key_enter) press(button(focused));
      return;
    }
    const bool here = state.window == window && state.element == focused;
    state = {};
    if (key == lv_key_space && here) press(button(focused));
  }

 private:
  struct Key {
    int window = 0;   // where it went down
    int element = 0;  // and on what
  };

  static const ui::Control::Impl* button(int element) {
    const ui::Control::Impl* control = control_of(element);
    return control && control->kind == lv_button ? control : nullptr;
  }

  std::map<int, Key> keys_;
};

void close(int element) {
  ui::Window::Impl* window = window_of(element);
  if (!window || !window->shown) return;
  if (window->owner->on_close) {
    run_handler(window->owner->on_close);
  } else {
    window->owner->hide();
  }
}

// While the page is hidden its timers would come late and in bursts: the drill waits instead,
// and goes on at its pace when the page is back.
void hold_timers(bool hidden) {
  for (ui::Timer::Impl* timer : program().timers) {
    if (hidden) {
      timer->pacer.hold();
    } else {
      timer->pacer.release();
    }
  }
}

void dispatch(const lv_event& event) {
  static Keys keys;
  const int* value = event.values;
  switch (event.kind) {
    case lv_event_alarm:
      alarm_rang(value[0]);
      break;
    case lv_event_click:
      press(control_of(value[0]));
      break;
    case lv_event_close:
      close(value[0]);
      break;
    case lv_event_key:
      keys.handle(value[0] != 0, value[1], value[2] != 0, value[3], value[4]);
      break;
    case lv_event_message_closed:
      program().message_open = false;
      break;
    case lv_event_resize:
      for (ui::Window::Impl* window : program().windows) {
        if (window->shown) window->fit();
      }
      break;
    case lv_event_visibility:
      hold_timers(value[0] != 0);
      break;
    default:
      break;
  }
}

ui::Timer::Impl* timer_catching_up() {
  const auto& timers = program().timers;
  const auto found = std::find_if(timers.begin(), timers.end(), [](const ui::Timer::Impl* timer) {
    return timer->pacer.catching_up();
  });
  return found == timers.end() ? nullptr : *found;
}

}  // namespace

void run_until(const std::function<bool()>& done) {
  // A tick made up goes first, then one turn of the browser and whatever it queued meanwhile,
  // so that ticks a busy moment held back, painting and input take turns.
  while (!program().ended && !done()) {
    lv_event event{};
    if (ui::Timer::Impl* behind = timer_catching_up()) {
      behind->wake();
      if (program().ended || done()) return;
      lv_next_event(&event, 1);
    } else {
      lv_next_event(&event, 0);
    }
    dispatch(event);
  }
}

}  // namespace lv::web
