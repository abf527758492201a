// Which top-level windows are the program's own.
#pragma once

#include <windows.h>

#include "platform/win32/impl.h"

namespace lv::win32 {

// Whether hwnd is one of the program's top-level windows.
bool is_program_window(HWND hwnd);

// The program's window behind hwnd, or null for any other.
ui::Window* program_window(HWND hwnd);

}  // namespace lv::win32
