// The simulated desktop's clock and the program-wide operations of the control layer.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"

namespace lv::headless {

// Never destroyed: windows and timers that live in static objects (the forms, a test's own) may
// be destroyed after any static of this file, and they unregister from the desktop as they go.
Desktop& desktop() {
  static Desktop* const the_desktop = new Desktop;
  return *the_desktop;
}

void reset() {
  Desktop& d = desktop();
  d.now = 0;
  d.ended = false;
  d.decimal_separator = ".";
  d.messages.clear();
}

std::int64_t now() {
  return desktop().now;
}

void advance(std::int64_t ms) {
  if (ms < 0) throw std::invalid_argument("time runs forwards");
  Desktop& d = desktop();
  const std::int64_t until = d.now + ms;
  for (;;) {
    ui::Timer::Impl* next = nullptr;
    for (ui::Timer::Impl* timer : d.timers) {
      if (timer->running && timer->due <= until && (!next || timer->due < next->due)) next = timer;
    }
    if (!next) break;
    d.now = next->due;
    // Schedule the following tick first: the handler may stop or restart its own timer.
    next->due += std::max(next->interval, 1);
    if (next->self->on_tick) next->self->on_tick();
  }
  d.now = until;
}

std::vector<std::string> take_messages() {
  return std::exchange(desktop().messages, {});
}

bool program_ended() {
  return desktop().ended;
}

void set_decimal_separator(const std::string& separator) {
  desktop().decimal_separator = separator;
}

}  // namespace lv::headless

namespace lv::ui {

Toolkit::Toolkit(int&, char**) {}
Toolkit::~Toolkit() = default;

void show_error(const std::string&, const std::string& message) {
  headless::desktop().messages.push_back(message);
}

void end_program() {
  headless::Desktop& d = headless::desktop();
  d.ended = true;
  for (Timer::Impl* timer : d.timers) timer->running = false;
  for (Window::Impl* window : d.windows) {
    window->visible = false;
    window->modal = false;
  }
}

std::string decimal_separator() {
  return headless::desktop().decimal_separator;
}

std::uint64_t clock_value() {
  return static_cast<std::uint64_t>(headless::desktop().now);
}

}  // namespace lv::ui
