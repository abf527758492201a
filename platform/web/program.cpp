// The program-wide operations of the control layer in the browser.
#include <array>
#include <chrono>

#include "platform/web/web_backend.h"

namespace lv::web {

Program& program() {
  static Program the_program;
  return the_program;
}

ui::Window::Impl* front_window() {
  ui::Window::Impl* front = nullptr;
  int highest = 0;
  for (ui::Window::Impl* window : program().windows) {
    if (window->shown && window->raised > highest) {
      highest = window->raised;
      front = window;
    }
  }
  return front;
}

}  // namespace lv::web

namespace lv::ui {

std::vector<Timer::Impl*>& program_timers() {
  return web::program().timers;
}

bool program_ended() {
  return web::program().ended;
}

Toolkit::Toolkit(int& /*argc*/, char** /*argv*/) {}

// Main has returned, or the program was ended: the page says so.
Toolkit::~Toolkit() {
  end_program();
  lv_stopped();
}

void show_error(const std::string& title, const std::string& message) {
  web::Program& program = web::program();
  if (program.ended) return;
  program.message_open = true;
  lv_show_message(title.c_str(), message.c_str());
  web::run_until([&program] { return !program.message_open; });
}

void end_program() {
  web::Program& program = web::program();
  if (program.ended) return;
  program.ended = true;
  for (Timer::Impl* timer : program.timers) timer->pacer.stop();
  for (Window::Impl* window : program.windows) {
    window->shown = false;
    lv_window_hide(window->element);
  }
  lv_keep_screen_on(0);
}

std::string decimal_separator() {
  std::array<char, 16> separator{};
  lv_copy_decimal_separator(separator.data(), separator.size());
  return separator.data();
}

std::uint64_t clock_value() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace lv::ui
