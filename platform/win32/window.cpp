#include <algorithm>

#include "platform/event_loop.h"
#include "platform/screen_fit.h"
#include "platform/win32/creation.h"
#include "platform/win32/program.h"
#include "platform/win32/text.h"
#include "platform/win32/ticks.h"
#include "platform/win32/window_class.h"

namespace lv::ui {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

Window::Impl* window_of(HWND hwnd) {
  return reinterpret_cast<Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The program's window that was active last: the next window opens on its monitor.
HWND last_active = nullptr;

// What the frame adds to the client size at the monitor's DPI.
SIZE frame_extra(const Window::Impl& window) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, window.dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// The outer size that gives the window its client size at its layout DPI.
SIZE frame_size(const Window::Impl& window) {
  const SIZE extra = frame_extra(window);
  return {win32::to_pixels(window.client_size.width, window.layout_dpi) + extra.cx,
          win32::to_pixels(window.client_size.height, window.layout_dpi) + extra.cy};
}

RECT work_area(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return info.rcWork;
}

// Lays the window out at its monitor's DPI, or smaller where that would not fit the work area.
void fit_to(Window::Impl& window, HMONITOR monitor) {
  const RECT area = work_area(monitor);
  const SIZE extra = frame_extra(window);
  const int fitting =
      ui::fitting_dpi(window.client_size, static_cast<int>(window.dpi), {extra.cx, extra.cy},
                      {area.right - area.left, area.bottom - area.top});
  const auto layout_dpi = static_cast<UINT>(fitting);
  if (window.font && layout_dpi == window.layout_dpi) return;
  window.layout_dpi = layout_dpi;
  window.font = win32::message_font(layout_dpi);
  window.lay_out();
}

// Centred on the monitor's work area, fitted to it, the title bar on it.
void open_on(Window::Impl& window, HMONITOR monitor) {
  const RECT area = work_area(monitor);
  // Moved there first, so that the window takes the monitor's DPI before it is fitted.
  SetWindowPos(window.hwnd, nullptr, area.left, area.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  window.dpi = GetDpiForWindow(window.hwnd);
  fit_to(window, monitor);
  const SIZE size = frame_size(window);
  const LONG left = area.left + (area.right - area.left - size.cx) / 2;
  const LONG top = area.top + (area.bottom - area.top - size.cy) / 2;
  SetWindowPos(window.hwnd, nullptr, std::max(left, area.left), std::max(top, area.top), size.cx,
               size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows hides focus rectangles and access-key underlines until the keyboard is used in a
// window. Space and Enter press the focused button all the same, so a window opened with the
// focus on "Einde" must show it from the start; the underlines tell which Alt key does what.
void show_keyboard_cues(HWND hwnd) {
  SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

HBRUSH background_brush(Background background) {
  switch (background) {
    case Background::active_border:
      return GetSysColorBrush(COLOR_ACTIVEBORDER);
    case Background::standard:
      break;
  }
  return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Window::Impl* window = window_of(hwnd);
  if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (win32::tick_through_system_loops(hwnd, message, wparam)) return 0;

  switch (message) {
    case WM_COMMAND: {
      // Clicks only: the IDOK and IDCANCEL the dialog manager may send name no control of ours.
      Control* control = win32::control_of(reinterpret_cast<HWND>(lparam));
      if (HIWORD(wparam) == BN_CLICKED && control &&
          program().kind(*control) == ControlKind::button) {
        program().run(static_cast<Button*>(control)->on_click);
      }
      return 0;
    }
    case WM_ERASEBKGND: {
      // Static texts keep the system's own colours for them (WM_CTLCOLORSTATIC is left to
      // DefWindowProc); only the window's own background is painted here.
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, background_brush(window->background));
      return 1;
    }
    case WM_CLOSE:
      if (window->owner->on_close) {
        program().run(window->owner->on_close);
      } else {
        ShowWindow(hwnd, SW_HIDE);
      }
      return 0;
    case WM_SHOWWINDOW:
      // lparam is zero for ShowWindow's own showing and hiding; minimising leaves it shown.
      if (window->keeps_screen_on && lparam == 0) {
        SetThreadExecutionState(wparam ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
      }
      return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) last_active = hwnd;
      // Like a dialog box, the window gets its focused control back when it is active again.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) window->focus_before_deactivation = focus;
      } else if (!HIWORD(wparam)) {
        const HWND previous = window->focus_before_deactivation;
        if (previous && IsWindow(previous) && IsWindowVisible(previous)) {
          SetFocus(previous);
        } else {
          window->focus_first();
        }
      }
      return 0;
    case WM_DPICHANGED: {
      // Another monitor: fitted to it afresh, at the place the system suggests.
      window->dpi = HIWORD(wparam);
      fit_to(*window, MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      const SIZE size = frame_size(*window);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace

void Window::Impl::lay_out() {
  for (Control* control : program().controls(*owner)) control->impl().lay_out();
}

void Window::Impl::focus_first() {
  const Control* first = program().first_to_focus(*owner);
  if (!first) {
    SetFocus(hwnd);
    return;
  }
  SetFocus(first->impl().hwnd);
  if (program().kind(*first) == ControlKind::edit_field) {
    SendMessageW(first->impl().hwnd, EM_SETSEL, 0, -1);
  }
}

Window::Window(std::string name, std::string caption, Twips client_size, Background background)
    : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->name = std::move(name);
  impl_->client_size = client_size;
  impl_->background = background;
  impl_->hwnd = win32::made(
      CreateWindowExW(kExStyle, win32::kWindowClass, win32::widen(caption).c_str(), kStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                      GetModuleHandleW(nullptr), impl_.get()),
      "het venster");
  impl_->dpi = GetDpiForWindow(impl_->hwnd);
  fit_to(*impl_, MonitorFromWindow(impl_->hwnd, MONITOR_DEFAULTTOPRIMARY));
  const SIZE size = frame_size(*impl_);
  SetWindowPos(impl_->hwnd, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  program().add(*this);
}

Window::~Window() {
  program().remove(*this);
  SetWindowLongPtrW(impl_->hwnd, GWLP_USERDATA, 0);
  DestroyWindow(impl_->hwnd);
}

void Window::show_modal() {
  if (program().ended()) return;
  const HWND hwnd = impl_->hwnd;
  const HWND previously_active = GetActiveWindow();
  // Every other window of the program waits while this one is shown.
  std::vector<HWND> disabled;
  for (const Window* other : program().windows()) {
    const HWND other_hwnd = other->impl().hwnd;
    if (other != this && IsWindowEnabled(other_hwnd)) {
      EnableWindow(other_hwnd, FALSE);
      disabled.push_back(other_hwnd);
    }
  }
  // It may have been made to wait itself, by a window shown before it.
  EnableWindow(hwnd, TRUE);
  const HWND placed_by = win32::is_program_window(last_active) ? last_active : hwnd;
  open_on(*impl_, MonitorFromWindow(placed_by, MONITOR_DEFAULTTOPRIMARY));
  impl_->focus_before_deactivation = nullptr;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  show_keyboard_cues(hwnd);
  SetForegroundWindow(hwnd);
  impl_->focus_first();
  // Looked at afresh each time control comes back to the loop: hidden and shown again by a
  // handler meanwhile, the window is still being shown, at the same depth.
  run_until([hwnd] { return !IsWindowVisible(hwnd); });
  for (const HWND other : disabled) {
    if (win32::is_program_window(other)) EnableWindow(other, TRUE);
  }
  // The window that had the keyboard before gets it back, as a dialog box's owner does.
  if (!program().ended() && win32::is_program_window(previously_active) &&
      IsWindowVisible(previously_active)) {
    SetForegroundWindow(previously_active);
  }
}

void Window::show_again() {
  if (program().ended()) return;
  // The window shown after this one made it wait; it is in front again now.
  EnableWindow(impl_->hwnd, TRUE);
  ShowWindow(impl_->hwnd, SW_SHOW);
  show_keyboard_cues(impl_->hwnd);
  SetForegroundWindow(impl_->hwnd);
}

void Window::keep_screen_on_while_shown() {
  impl_->keeps_screen_on = true;
  if (IsWindowVisible(impl_->hwnd)) SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
}

void Window::hide() {
  ShowWindow(impl_->hwnd, SW_HIDE);
}
bool Window::visible() const {
  return IsWindowVisible(impl_->hwnd);
}
std::string Window::caption() const {
  return win32::window_text(impl_->hwnd);
}
const std::string& Window::name() const {
  return impl_->name;
}

}  // namespace lv::ui

namespace lv::win32 {

void register_window_class() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = ui::window_procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconW(window_class.hInstance, L"LETTERVONK");
  window_class.lpszClassName = kWindowClass;
  made(RegisterClassExW(&window_class), "de vensterklasse");
}

}  // namespace lv::win32
