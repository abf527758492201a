#include "tests/win32/user.h"

#include <chrono>

#include "platform/win32/native.h"
#include "platform/win32/text.h"

namespace lv::test {

namespace {

HWND keyboard_target() {
  const HWND focus = GetFocus();
  return focus ? focus : GetActiveWindow();
}

bool has_class(HWND hwnd, const wchar_t* wanted) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return lstrcmpiW(name, wanted) == 0;
}

HWND shown_message_box(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND hwnd, LPARAM result) {
        if (!IsWindowVisible(hwnd) || !has_class(hwnd, L"#32770")) return TRUE;
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

std::string message_box_text(HWND box) {
  std::string texts;
  EnumChildWindows(
      box,
      [](HWND hwnd, LPARAM result) {
        if (has_class(hwnd, L"Static"))
          *reinterpret_cast<std::string*>(result) += win32::window_text(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << box.left << "," << box.top << " " << box.width << "x" << box.height;
}

HWND handle(const ui::Control& control) {
  return win32::native_handle(control);
}
HWND handle(const ui::Window& window) {
  return win32::native_handle(window);
}

Box box_of(const ui::Control& control) {
  const HWND hwnd = handle(control);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

SIZE client_size(const ui::Window& window) {
  RECT rect;
  GetClientRect(handle(window), &rect);
  return {rect.right, rect.bottom};
}

bool has_focus(const ui::Control& control) {
  return GetFocus() == handle(control);
}

void press(UINT virtual_key) {
  const HWND target = keyboard_target();
  PostMessageW(target, WM_KEYDOWN, virtual_key, 1);
  PostMessageW(target, WM_KEYUP, virtual_key, static_cast<LPARAM>(0xC0000001));
}

void press_alt(char letter) {
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageW(keyboard_target(), WM_SYSCHAR, static_cast<WPARAM>(letter), kAltDown | 1);
}

void type(const std::string& text) {
  for (const wchar_t character : win32::widen(text)) {
    PostMessageW(keyboard_target(), WM_CHAR, character, 1);
  }
}

MessageBoxAnswerer::MessageBoxAnswerer()
    : watcher_(&MessageBoxAnswerer::watch, this, GetCurrentThreadId()) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  if (watcher_.joinable()) watcher_.join();
}

const std::string& MessageBoxAnswerer::text() {
  if (watcher_.joinable()) watcher_.join();
  return text_;
}

const std::string& MessageBoxAnswerer::title() {
  if (watcher_.joinable()) watcher_.join();
  return title_;
}

void MessageBoxAnswerer::watch(DWORD thread) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < give_up) {
    if (const HWND box = shown_message_box(thread)) {
      title_ = win32::window_text(box);
      text_ = message_box_text(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace lv::test
