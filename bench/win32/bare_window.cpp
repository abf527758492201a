// The smallest Win32 program with one window of the settings window's size and one line of
// text, for comparison.
#include <windows.h>

#include "bench/shown_report.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = L"BareWindow";
  RegisterClassW(&window_class);
  HWND window =
      CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      369, 192, nullptr, nullptr, window_class.hInstance, nullptr);
  CreateWindowExW(0, L"STATIC", L"Geef start interval", WS_CHILD | WS_VISIBLE, 16, 24, 107, 17,
                  window, nullptr, window_class.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.wParam == timer) {
      KillTimer(nullptr, timer);
      lv::bench::report_shown(argv[1]);
      break;
    }
    DispatchMessageW(&msg);
  }
  DestroyWindow(window);
  return 0;
}
