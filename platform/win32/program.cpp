#include "platform/win32/program.h"

#include "platform/backend.h"

namespace lv::win32 {

ui::Window* program_window(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (ui::Window* window : ui::program().windows()) {
    if (window->impl().hwnd == hwnd) return window;
  }
  return nullptr;
}

bool is_program_window(HWND hwnd) {
  return program_window(hwnd) != nullptr;
}

}  // namespace lv::win32

namespace lv::ui {

// Every waiting show_modal sees the end as soon as control returns to it; the quit message also
// ends any loop of the system's own (a message box, a window being dragged) that is running.
void backend::program_ended() {
  PostQuitMessage(0);
}

}  // namespace lv::ui
