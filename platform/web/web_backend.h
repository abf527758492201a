// The web backend's private types. A window is a panel in the page, a control a DOM element in
// it, placed from its twips at 15 to the CSS pixel (96 DPI), or fewer where the window would not
// fit the viewport.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/paced_timer.h"
#include "platform/web/dom.h"

namespace lv::ui {

struct Window::Impl {
  Window* owner = nullptr;
  std::string name;
  std::string caption;
  Twips client_size{};
  int element = 0;
  bool shown = false;
  int raised = 0;  // when it last came in front; the highest shown one is in front
  int layout_dpi = 96;
  std::vector<Control::Impl*> controls;  // in creation order, which is the focus order
  int focused = 0;                       // the element that had the focus when last in front
  bool keeps_screen_on = false;

  // Sized to the viewport and centred in it, every control laid out at the fitting DPI.
  void fit();
  void focus_first();
};

struct Control::Impl {
  Window::Impl* window = nullptr;
  lv_control_kind kind = lv_label;
  std::string name;
  Twips place{};
  int element = 0;
  bool visible = true;
  std::string text;                           // labels: what they show
  std::optional<Font> font;                   // labels with a font of their own
  char mnemonic = 0;                          // buttons: the Alt letter, lower case
  std::function<void()>* on_click = nullptr;  // buttons

  bool takes_focus() const { return visible && kind != lv_label; }
  void lay_out(int dpi) const;
};

}  // namespace lv::ui

namespace lv::web {

struct Program {
  std::vector<ui::Window::Impl*> windows;
  std::vector<ui::Timer::Impl*> timers;
  bool ended = false;
  bool message_open = false;
};
Program& program();

// Every handler of the program runs through here: none runs once the program has ended.
inline void run_handler(const std::function<void()>& handler) {
  if (!program().ended && handler) handler();
}

// Runs the page's events and the timers' ticks until done() or the program ends.
void run_until(const std::function<bool()>& done);

// The window in front, if any.
ui::Window::Impl* front_window();

// The alarm of that number rang: its timer runs a tick if one is due.
void alarm_rang(int alarm);

}  // namespace lv::web
