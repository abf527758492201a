// The program-wide operations of the control layer in the browser.
#include <array>
#include <chrono>

#include "platform/backend.h"
#include "platform/event_loop.h"
#include "platform/web/web_backend.h"

namespace lv::web {

bool message_open = false;

ui::Window* front_window() {
  ui::Window* front = nullptr;
  int highest = 0;
  for (ui::Window* window : ui::program().windows()) {
    const ui::Window::Impl& impl = window->impl();
    if (impl.shown && impl.raised > highest) {
      highest = impl.raised;
      front = window;
    }
  }
  return front;
}

}  // namespace lv::web

namespace lv::ui {

Toolkit::Toolkit(int& /*argc*/, char** /*argv*/) {}

// Main has returned, or the program was ended: the page says so, for good.
Toolkit::~Toolkit() {
  end_program();
  lv_stopped();
  web::serve_the_page_after_the_end();
}

void backend::program_ended() {
  lv_keep_screen_on(0);
}

void show_error(const std::string& title, const std::string& message) {
  if (program().ended()) return;
  web::message_open = true;
  lv_show_message(title.c_str(), message.c_str());
  run_until([] { return !web::message_open; });
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
