// The headless backend's private state: the simulated desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/tick_pacer.h"

namespace lv::ui {

struct Window::Impl {
  std::string name;
  std::string caption;
  Twips client_size;
  Background background;
  bool visible = false;
  bool modal = false;
  bool keeps_screen_on = false;
  Control* focus = nullptr;
};

struct Control::Impl {
  Window* window;
  std::string name;
  Twips place;
  std::string text;
  bool visible = true;
  Font font{};
  Align align = Align::left;
  bool text_selected = false;
};

}  // namespace lv::ui

namespace lv::headless {

// A timer's alarm on the simulated clock: it rings when advance() reaches its due time.
struct SimulatedAlarm final : ui::Alarm {
  void ring(ui::TickClock::duration first, std::chrono::milliseconds every) override;
  void silence() override { ringing = false; }

  bool ringing = false;
  std::int64_t due = 0;  // ms
  std::int64_t period = 0;
};

struct Desktop {
  std::int64_t now = 0;  // ms
  std::string decimal_separator = ".";
  std::vector<std::string> messages;
  std::vector<ui::Window*> stack;  // shown windows lie on top of earlier ones
};

Desktop& desktop();

// The shown window on top, or null.
ui::Window* window_on_top();
// Moves the focus off a control that can no longer hold it, to the next in the focus order.
void refocus(ui::Window& window);

}  // namespace lv::headless
