// What the running program has open, and whether it has been ended.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/win32/impl.h"

namespace lv::win32 {

struct Program {
  std::vector<ui::Window::Impl*> windows;
  std::vector<ui::Timer::Impl*> timers;
  bool ended = false;
};

Program& program();

// Whether hwnd is one of the program's top-level windows.
bool is_program_window(HWND hwnd);

// Every handler of the program runs through here: none runs once the program has ended.
inline void run_handler(const std::function<void()>& handler) {
  if (!program().ended && handler) handler();
}

}  // namespace lv::win32
