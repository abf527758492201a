#include "platform/win32/creation.h"
#include "platform/win32/native.h"
#include "platform/win32/program.h"
#include "platform/win32/text.h"
#include "platform/win32/window_class.h"

namespace lv::win32 {

namespace {

constexpr wchar_t kControlProperty[] = L"Lettervonk.Control";

// Left-aligned texts are cut off at the box's edge rather than wrapped.
constexpr DWORD kLabelStyle = SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr DWORD kCentredLabelStyle = SS_NOPREFIX | SS_CENTER;

struct ChildWindow {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ChildWindow child_window(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::edit_field:
      return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ui::ControlKind::button:
      // Never BS_DEFPUSHBUTTON: there is no default button. Captions wrap as they need.
      return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0};
    case ui::ControlKind::picture_box:
      return {kPictureClass, WS_BORDER, 0};
    case ui::ControlKind::label:
      break;
  }
  return {L"STATIC", kLabelStyle, 0};
}

}  // namespace

std::unique_ptr<ui::Control::Impl> make_control(ui::Window& window, ui::ControlKind kind,
                                                std::string name, ui::Twips place,
                                                const std::string& text, bool visible) {
  auto control = std::make_unique<ui::Control::Impl>();
  control->kind = kind;
  control->window = &window;
  control->name = std::move(name);
  control->place = place;
  const ChildWindow child = child_window(kind);
  const DWORD style = WS_CHILD | child.style | (visible ? WS_VISIBLE : 0);
  const auto id = static_cast<std::uintptr_t>(100 + ui::program().controls(window).size());
  control->hwnd =
      made(CreateWindowExW(child.ex_style, child.window_class, widen(text).c_str(), style, 0, 0, 0,
                           0, window.impl().hwnd, reinterpret_cast<HMENU>(id),
                           GetModuleHandleW(nullptr), nullptr),
           "een knop, veld of tekst in het venster");
  control->lay_out();
  return control;
}

ui::Control* control_of(HWND hwnd) {
  if (!hwnd || !is_program_window(GetAncestor(hwnd, GA_ROOT))) return nullptr;
  return static_cast<ui::Control*>(GetPropW(hwnd, kControlProperty));
}

HWND native_handle(const ui::Window& window) {
  return window.impl().hwnd;
}
HWND native_handle(const ui::Control& control) {
  return control.impl().hwnd;
}

}  // namespace lv::win32

namespace lv::ui {

void Control::Impl::lay_out() {
  const UINT dpi = window->impl().layout_dpi;
  MoveWindow(hwnd, win32::to_pixels(place.left, dpi), win32::to_pixels(place.top, dpi),
             win32::to_pixels(place.width, dpi), win32::to_pixels(place.height, dpi), TRUE);
  if (font) own_font = win32::make_font(*font, dpi);
  HFONT shown = own_font ? own_font.get() : window->impl().font.get();
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
}

Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
  program().add(*this, *impl_->window, impl_->kind);
  SetPropW(impl_->hwnd, win32::kControlProperty, this);
}

Control::~Control() {
  program().remove(*this);
  RemovePropW(impl_->hwnd, win32::kControlProperty);
  DestroyWindow(impl_->hwnd);
}

void Control::set_visible(bool visible) {
  const HWND hwnd = impl_->hwnd;
  if (impl_->kind == ControlKind::picture_box) {
    // A picture box is in the focus order only while it is shown.
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, visible ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  const bool had_focus = GetFocus() == hwnd;
  ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
  if (had_focus && !visible) {
    // The focus moves on rather than staying with a control nobody can see.
    const HWND parent = impl_->window->impl().hwnd;
    const HWND next = GetNextDlgTabItem(parent, hwnd, FALSE);
    SetFocus(next && next != hwnd ? next : parent);
  }
}

bool Control::visible() const {
  return GetWindowLongPtrW(impl_->hwnd, GWL_STYLE) & WS_VISIBLE;
}
const std::string& Control::name() const {
  return impl_->name;
}

Label::Label(Window& window, std::string name, Twips place, std::string text, bool visible)
    : Control(
          win32::make_control(window, ControlKind::label, std::move(name), place, text, visible)) {}

void Label::set_text(const std::string& text) {
  // Unchanged, the text is not drawn again: the readings are set at every step.
  if (win32::window_text(impl().hwnd) != text) {
    SetWindowTextW(impl().hwnd, win32::widen(text).c_str());
  }
}

std::string Label::text() const {
  return win32::window_text(impl().hwnd);
}

void Label::set_font(const Font& font) {
  impl().font = font;
  impl().lay_out();
}

void Label::set_alignment(Align align) {
  const HWND hwnd = impl().hwnd;
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~SS_TYPEMASK;
  const DWORD alignment = align == Align::centre ? win32::kCentredLabelStyle : win32::kLabelStyle;
  SetWindowLongPtrW(hwnd, GWL_STYLE, style | alignment);
  InvalidateRect(hwnd, nullptr, TRUE);
}

EditField::EditField(Window& window, std::string name, Twips place)
    : Control(
          win32::make_control(window, ControlKind::edit_field, std::move(name), place, "", true)) {
  // Zero lifts the edit control's default limit, which would cut a long paste short silently
  // and leave the rest to be read as the number.
  SendMessageW(impl().hwnd, EM_SETLIMITTEXT, 0, 0);
}

void EditField::set_text(const std::string& text) {
  SetWindowTextW(impl().hwnd, win32::widen(text).c_str());
}

std::string EditField::text() const {
  return win32::window_text(impl().hwnd);
}

void EditField::focus_with_text_selected() {
  SetFocus(impl().hwnd);
  SendMessageW(impl().hwnd, EM_SETSEL, 0, -1);
}

Button::Button(Window& window, std::string name, Twips place, std::string caption)
    : Control(win32::make_control(window, ControlKind::button, std::move(name), place, caption,
                                  true)) {}

std::string Button::caption() const {
  return win32::window_text(impl().hwnd);
}

}  // namespace lv::ui
