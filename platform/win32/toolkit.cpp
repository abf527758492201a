#include <windows.h>

#include <commctrl.h>

#include "platform/controls.h"
#include "platform/win32/window_class.h"

namespace lv::ui {

Toolkit::Toolkit(int& /*argc*/, char** /*argv*/) {
  // The manifest asks for this already; the call covers a program run without it. Each window
  // then scales its twips to the DPI of the monitor it is on.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  win32::register_window_class();
  win32::register_picture_class();
}

Toolkit::~Toolkit() = default;

}  // namespace lv::ui
