// The toolkit's side of the program's own loop (platform/event_loop.h) in the page. The program
// sleeps until the page queues an event (a key, a click, an alarm), yielding to the browser
// meanwhile, and runs the handlers on its own stack, so that a handler may itself wait for a
// window or a message, as on the desktop. An alarm that rings while the program sleeps runs its
// tick on the page's own stack instead, and wakes the program only when the tick left it
// something to do: waking it means unwinding and rewinding its whole stack, a hundred times a
// second for the drill's pacing timer, which a slow device feels.
#include <emscripten.h>

#include "platform/backend.h"
#include "platform/event_loop.h"
#include "platform/paced_timer.h"
#include "platform/web/web_backend.h"

namespace lv::web {

namespace {

ui::Control* control_of(int element) {
  for (ui::Window* window : ui::program().windows()) {
    for (ui::Control* control : ui::program().controls(*window)) {
      if (control->impl().element == element) return control;
    }
  }
  return nullptr;
}

ui::Window* window_of(int element) {
  for (ui::Window* window : ui::program().windows()) {
    if (window->impl().element == element) return window;
  }
  return nullptr;
}

// A button presses only while it and its window are shown.
void press(ui::Control* control) {
  if (!control || ui::program().kind(*control) != ui::ControlKind::button || !control->visible() ||
      !control->impl().window->visible()) {
    return;
  }
  ui::program().run(static_cast<ui::Button*>(control)->on_click);
}

// The page sends Enter and Space on a focused button, and Alt with a letter that marks a button
// of the window in front, preventing the browser's own use of them.
void key(const int* value) {
  using Motion = ui::KeyStroke::Motion;
  const int motion = value[0];
  const int code = value[1];
  const ui::KeyName name = code == lv_key_enter   ? ui::KeyName::enter
                           : code == lv_key_space ? ui::KeyName::space
                                                  : ui::KeyName::letter;
  const ui::KeyStroke stroke{motion == lv_key_down     ? Motion::down
                             : motion == lv_key_repeat ? Motion::repeat
                                                       : Motion::up,
                             code,
                             name,
                             name == ui::KeyName::letter ? static_cast<char>(code) : '\0',
                             name == ui::KeyName::letter,
                             static_cast<std::uintptr_t>(value[2])};
  if (ui::Window* window = window_of(value[2])) {
    ui::program().key(stroke, window, control_of(value[3]));
    return;
  }
  // The page's own: the message and the notice after the end, each with one button.
  const auto outcome = ui::program().key_rules().take(
      stroke, {true, static_cast<std::uintptr_t>(value[3]), true, false});
  if (outcome.press == ui::KeyRules::Press::focused) lv_click(value[3]);
}

void close(int element) {
  ui::Window* window = window_of(element);
  if (!window || !window->visible()) return;
  if (window->on_close) {
    ui::program().run(window->on_close);
  } else {
    window->hide();
  }
}

// While the page is hidden its timers would come late and in bursts: the drill waits instead,
// and goes on at its pace when the page is back.
void hold_timers(bool hidden) {
  for (ui::Timer* timer : ui::program().timers()) {
    if (hidden) {
      timer->impl().pacer.hold();
    } else {
      timer->impl().pacer.release();
    }
  }
}

void dispatch(const lv_event& event) {
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
      key(value);
      break;
    case lv_event_message_closed:
      message_open = false;
      break;
    case lv_event_resize:
      for (ui::Window* window : ui::program().windows()) {
        if (window->visible()) window->impl().fit();
      }
      break;
    case lv_event_visibility:
      hold_timers(value[0] != 0);
      break;
    default:
      break;
  }
}

}  // namespace

void serve_the_page_after_the_end() {
  for (;;) {
    lv_event event{};
    lv_next_event(&event, 0);
    if (event.kind == lv_event_key) key(event.values);
  }
}

}  // namespace lv::web

extern "C" EMSCRIPTEN_KEEPALIVE int lv_alarm_rang_while_asleep(int alarm) {
  lv::web::alarm_rang(alarm);
  return lv::ui::loop_must_wake() ? 1 : 0;
}

namespace lv::ui {

// A turn of the browser, and whatever it queued meanwhile.
void backend::take_turn(bool wait) {
  lv_event event{};
  lv_next_event(&event, wait ? 0 : 1);
  web::dispatch(event);
}

}  // namespace lv::ui
