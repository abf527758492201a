#include "platform/win32/creation.h"
#include "platform/win32/program.h"
#include "platform/win32/text.h"
#include "platform/win32/window_class.h"

namespace lv::win32 {

namespace {

// The picture at its own size in 96-DPI pixels, scaled like the layout, at the top left; the rest
// of the box in the ordinary face colour.
void paint(HWND hwnd, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const ui::Control* control = control_of(hwnd);
  if (!control || !control->impl().picture) return;
  const ui::Control::Impl& box = control->impl();
  BITMAP bitmap{};
  GetObjectW(box.picture.get(), sizeof bitmap, &bitmap);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, box.picture.get());
  const int dpi = static_cast<int>(box.window->impl().layout_dpi);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, MulDiv(bitmap.bmWidth, dpi, USER_DEFAULT_SCREEN_DPI),
             MulDiv(bitmap.bmHeight, dpi, USER_DEFAULT_SCREEN_DPI), source, 0, 0, bitmap.bmWidth,
             bitmap.bmHeight, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

LRESULT CALLBACK picture_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT paint_struct;
      HDC dc = BeginPaint(hwnd, &paint_struct);
      paint(hwnd, dc);
      EndPaint(hwnd, &paint_struct);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace

void register_picture_class() {
  WNDCLASSEXW picture_class{};
  picture_class.cbSize = sizeof picture_class;
  picture_class.lpfnWndProc = picture_procedure;
  picture_class.hInstance = GetModuleHandleW(nullptr);
  picture_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  picture_class.lpszClassName = kPictureClass;
  made(RegisterClassExW(&picture_class), "de vensterklasse voor het rustplaatje");
}

}  // namespace lv::win32

namespace lv::ui {

PictureBox::PictureBox(Window& window, std::string name, Twips place, std::string picture,
                       bool visible)
    : Control(win32::make_control(window, ControlKind::picture_box, std::move(name), place, "",
                                  false)) {
  impl().picture.reset(static_cast<HBITMAP>(
      win32::made(LoadImageW(GetModuleHandleW(nullptr), win32::widen(picture).c_str(), IMAGE_BITMAP,
                             0, 0, LR_CREATEDIBSECTION),
                  "het rustplaatje")));
  set_visible(visible);
}

}  // namespace lv::ui
