// The real program on the screen and at the DPI Wine gives it: it opens the settings window, then
// the exercise window through "&Start", and checks each as it opens: the window inside the work
// area of its monitor (so its title bar too), every control inside the window's client area, the
// layout shrunk only where it would not fit at the monitor's DPI, and the syllable's font shrunk
// with it. It prints what it saw and ends with exit code 0 when all of that held, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "exercise/frm_werk.h"
#include "platform/controls.h"
#include "platform/win32/native.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"

namespace {

int failures = 0;

void fail(const char* window, const char* what) {
  std::printf("  FAILED, %s: %s\n", window, what);
  ++failures;
}

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT client_on_screen(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

void check(const lv::ui::Window& window, lv::ui::Twips layout, const lv::ui::Label* syllable) {
  const char* name = window.name().c_str();
  const HWND hwnd = lv::win32::native_handle(window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const UINT dpi = GetDpiForWindow(hwnd);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  const RECT client = client_on_screen(hwnd);
  const LONG width = client.right - client.left;
  const LONG height = client.bottom - client.top;
  std::printf(
      "%s at %u DPI: work area (%ld,%ld)-(%ld,%ld), window (%ld,%ld)-(%ld,%ld), client %ldx%ld\n",
      name, dpi, work.left, work.top, work.right, work.bottom, outer.left, outer.top, outer.right,
      outer.bottom, width, height);
  if (!inside(outer, work)) fail(name, "the window reaches outside the work area");

  RECT frame{0, 0, 0, 0};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), dpi);
  const int full_width = MulDiv(layout.width, static_cast<int>(dpi), 1440);
  const int full_height = MulDiv(layout.height, static_cast<int>(dpi), 1440);
  const bool full_fits = full_width + frame.right - frame.left <= work.right - work.left &&
                         full_height + frame.bottom - frame.top <= work.bottom - work.top;
  if (full_fits && (width != full_width || height != full_height)) {
    fail(name, "the layout is not at the monitor's DPI, though it would fit");
  }
  if (!full_fits && (width >= full_width || height >= full_height)) {
    fail(name, "the layout is not shrunk, though it would not fit");
  }

  struct Children {
    RECT client;
    const char* name;
  } children{client, name};
  EnumChildWindows(
      hwnd,
      [](HWND child, LPARAM parameter) {
        const auto& all = *reinterpret_cast<const Children*>(parameter);
        RECT box;
        GetWindowRect(child, &box);
        if (!inside(box, all.client)) fail(all.name, "a control reaches outside the client area");
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));

  if (syllable) {
    // 24 points at the DPI the layout was drawn at, which its width gives.
    const HWND label = lv::win32::native_handle(*syllable);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
    const double layout_dpi = width * 1440.0 / layout.width;
    const double expected = 24 * layout_dpi / 72;
    std::printf("  syllable font %ld px high, %.1f expected\n", std::labs(font.lfHeight), expected);
    if (std::abs(std::labs(font.lfHeight) - expected) > 1.0) {
      fail(name, "the syllable's font is not scaled with the layout");
    }
  }
}

bool started = false;
int polls = 0;

void CALLBACK look(HWND, UINT, UINT_PTR, DWORD) {
  lv::frm_hoofd& settings = lv::forms::hoofd();
  if (!started && settings.window.visible()) {
    check(settings.window, {0, 0, 5535, 2880}, nullptr);
    // Alt+S, as the keyboard sends it.
    const HWND field = lv::win32::native_handle(settings.txt_start);
    PostMessageW(field, WM_SYSKEYDOWN, 'S', (1 << 29) | 1);
    PostMessageW(field, WM_SYSKEYUP, 'S', static_cast<LPARAM>(0xE0000001));
    started = true;
  } else if (started && lv::forms::werk().window.visible()) {
    check(lv::forms::werk().window, {0, 0, 15240, 11010}, &lv::forms::werk().txt_string);
    lv::ui::end_program();
  } else if (++polls > 1200) {
    fail("probe", started ? "the exercise window never came" : "the settings window never came");
    lv::ui::end_program();
  }
}

}  // namespace

int main(int argc, char** argv) {
  lv::ui::Toolkit toolkit(argc, argv);
  SetTimer(nullptr, 0, 50, look);
  lv::Main();
  lv::forms::unload_all();
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}
