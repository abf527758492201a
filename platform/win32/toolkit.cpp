#include <windows.h>

#include <commctrl.h>

#include "platform/controls.h"
#include "platform/win32/window_class.h"

namespace lv::ui {

namespace {

// Per-monitor DPI awareness, so that each window scales its twips to the DPI of the monitor it is
// on. The manifest asks for it already; the call covers a program run without its manifest. It
// came with Windows 10 1703 and is looked up, not imported, so that 1607 still starts the program.
void become_per_monitor_dpi_aware() {
  using SetAwareness = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const FARPROC found =
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext");
  // Through void(*)(), the one function type a cast to any other does not warn about.
  if (const auto set = reinterpret_cast<SetAwareness>(reinterpret_cast<void (*)()>(found))) {
    set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  }
}

}  // namespace

Toolkit::Toolkit(int& /*argc*/, char** /*argv*/) {
  become_per_monitor_dpi_aware();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  win32::register_window_class();
  win32::register_picture_class();
}

Toolkit::~Toolkit() = default;

}  // namespace lv::ui
