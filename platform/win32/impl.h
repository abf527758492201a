// What the control layer's objects hold on Win32. Private to this backend.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/controls.h"
#include "platform/program.h"
#include "platform/win32/dpi.h"

namespace lv::ui {

struct Window::Impl {
  Window* owner = nullptr;
  std::string name;
  Twips client_size{};
  Background background = Background::standard;
  HWND hwnd = nullptr;
  UINT dpi = USER_DEFAULT_SCREEN_DPI;         // its monitor's
  UINT layout_dpi = USER_DEFAULT_SCREEN_DPI;  // twips and points: dpi, or less where that won't fit
  win32::FontHandle font;  // the message font at layout_dpi, for every control without its own
  HWND focus_before_deactivation = nullptr;
  bool keeps_screen_on = false;

  // Places and fonts of every control at layout_dpi.
  void lay_out();
  void focus_first();
};

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct Control::Impl {
  ControlKind kind = ControlKind::label;
  Window* window = nullptr;
  std::string name;
  Twips place{};
  HWND hwnd = nullptr;
  std::optional<Font> font;    // a font of its own instead of the window's
  win32::FontHandle own_font;  // font at the window's layout_dpi
  BitmapHandle picture;        // picture boxes only

  void lay_out();
};

}  // namespace lv::ui

namespace lv::win32 {

// Creates the child window of a control in window, last in the focus order.
std::unique_ptr<ui::Control::Impl> make_control(ui::Window& window, ui::ControlKind kind,
                                                std::string name, ui::Twips place,
                                                const std::string& text, bool visible);

// The control behind a child window of this program, or null for any other window.
ui::Control* control_of(HWND hwnd);

}  // namespace lv::win32
