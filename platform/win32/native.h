// The native windows behind the control layer's objects, for this backend's tests.
#pragma once

#include <windows.h>

#include "platform/controls.h"

namespace lv::win32 {

HWND native_handle(const ui::Window& window);
HWND native_handle(const ui::Control& control);

}  // namespace lv::win32
