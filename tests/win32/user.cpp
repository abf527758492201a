#include "tests/win32/user.h"

#include <cctype>
#include <chrono>
#include <cstring>

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

Pixels look_at(const ui::Control& control) {
  const HWND hwnd = handle(control);
  UpdateWindow(hwnd);  // a change of focus is painted before it is looked at
  RECT client;
  GetClientRect(hwnd, &client);
  Pixels pixels{client.right, client.bottom, {}};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC window_dc = GetDC(hwnd);
  const HDC memory = CreateCompatibleDC(window_dc);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ before = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, pixels.width, pixels.height, window_dc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < pixels.width * pixels.height; ++i) pixels.rgb.push_back(first[i] & 0xFFFFFF);
  SelectObject(memory, before);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, window_dc);
  return pixels;
}

void paste(const std::string& text) {
  const std::wstring wide = win32::widen(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
  GlobalUnlock(memory);
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  PostMessageW(keyboard_target(), WM_PASTE, 0, 0);
}

void press_alt(char letter) {
  const HWND target = keyboard_target();
  const auto key = static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(letter)));
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageW(target, WM_SYSKEYDOWN, key, kAltDown | 1);
  PostMessageW(target, WM_SYSKEYUP, key, static_cast<LPARAM>(0xC0000001) | kAltDown);
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
