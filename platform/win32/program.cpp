#include "platform/win32/program.h"

#include <algorithm>

#include "platform/win32/ticks.h"

namespace lv::win32 {

Program& program() {
  static Program the_program;
  return the_program;
}

bool is_program_window(HWND hwnd) {
  const auto& windows = program().windows;
  return hwnd &&
         std::any_of(windows.begin(), windows.end(),
                     [hwnd](const ui::Window::Impl* window) { return window->hwnd == hwnd; });
}

}  // namespace lv::win32

namespace lv::ui {

void end_program() {
  auto& program = win32::program();
  if (program.ended) return;
  program.ended = true;
  for (Timer::Impl* timer : program.timers) timer->pacer.stop();
  for (Window::Impl* window : program.windows) ShowWindow(window->hwnd, SW_HIDE);
  // Every waiting show_modal sees the end as soon as control returns to it; the quit message also
  // ends any loop of the system's own (a message box, a window being dragged) that is running.
  PostQuitMessage(0);
}

}  // namespace lv::ui
