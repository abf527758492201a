// The headless backend's private state: the simulated desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace lv::ui {

enum class ControlKind { label, edit_field, button, picture_box };

struct Window::Impl {
  std::string name;
  std::string caption;
  Twips client_size;
  Background background;
  bool visible = false;
  bool modal = false;
  bool keeps_screen_on = false;
  std::vector<Control*> controls;  // creation order, which is the focus order
  Control* focus = nullptr;
};

struct Control::Impl {
  ControlKind kind;
  Window::Impl* window;
  std::string name;
  Twips place;
  std::string text;
  bool visible = true;
  Font font{};
  Align align = Align::left;
  bool text_selected = false;
};

struct Timer::Impl {
  Timer* self;
  std::string name;
  int interval;
  bool running = false;
  std::int64_t due = 0;
};

}  // namespace lv::ui

namespace lv::headless {

struct Desktop {
  std::int64_t now = 0;
  bool ended = false;
  std::string decimal_separator = ".";
  std::vector<std::string> messages;
  std::vector<ui::Window::Impl*> windows;  // shown windows stack on top of earlier ones
  std::vector<ui::Timer::Impl*> timers;    // creation order
};

Desktop& desktop();

// Whether the control can hold the focus right now.
bool takes_focus(const ui::Control& control);
// Moves the focus off a control that can no longer hold it.
void refocus(ui::Window::Impl& window);

}  // namespace lv::headless
