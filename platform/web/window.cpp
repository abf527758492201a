#include <algorithm>

#include "platform/event_loop.h"
#include "platform/screen_fit.h"
#include "platform/web/web_backend.h"

namespace lv::web {

namespace {

// The panel's own frame, in CSS pixels: a one-pixel border round the client area and the title
// bar above it. The title bar keeps its size, so that its close box stays easy to hit.
constexpr int kBorder = 1;
constexpr int kTitleBar = 24;
constexpr int kDefaultPoints = 8;  // the dialog font the layouts are measured for

double points_to_pixels(int points, int dpi) {
  return points * dpi / 72.0;
}

int raised_last = 0;

void bring_to_front(ui::Window::Impl& window) {
  window.shown = true;
  window.raised = ++raised_last;
  lv_window_show(window.element);
  if (window.keeps_screen_on) lv_keep_screen_on(1);
}

}  // namespace

}  // namespace lv::web

namespace lv::ui {

void Window::Impl::fit() {
  const PixelSize frame{2 * web::kBorder, web::kTitleBar + 2 * web::kBorder};
  const PixelSize viewport{lv_viewport_width(), lv_viewport_height()};
  layout_dpi = fitting_dpi(client_size, 96, frame, viewport);
  const int width = twips_to_pixels(client_size.width, layout_dpi) + frame.width;
  const int height = twips_to_pixels(client_size.height, layout_dpi) + frame.height;
  lv_window_place(element, std::max(0, (viewport.width - width) / 2),
                  std::max(0, (viewport.height - height) / 2), width, height, web::kTitleBar,
                  web::points_to_pixels(web::kDefaultPoints, layout_dpi));
  for (const Control* control : program().controls(*owner)) control->impl().lay_out(layout_dpi);
}

void Control::Impl::lay_out(int dpi) const {
  lv_control_place(element, twips_to_pixels(place.left, dpi), twips_to_pixels(place.top, dpi),
                   twips_to_pixels(place.width, dpi), twips_to_pixels(place.height, dpi));
  if (font) {
    lv_control_font(element, font->face.c_str(), web::points_to_pixels(font->points, dpi),
                    font->bold);
  }
}

// As in a dialog box, a field that takes the focus first has its text selected, to be typed over.
void Window::Impl::focus_first() {
  if (const Control* first = program().first_to_focus(*owner)) {
    lv_focus(first->impl().element, program().kind(*first) == ControlKind::edit_field);
  }
}

Window::Window(std::string name, std::string caption, Twips client_size, Background background)
    : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->name = std::move(name);
  impl_->caption = std::move(caption);
  impl_->client_size = client_size;
  impl_->element = lv_window_create(impl_->name.c_str(), impl_->caption.c_str(),
                                    background == Background::active_border);
  program().add(*this);
}

Window::~Window() {
  hide();
  program().remove(*this);
}

void Window::show_modal() {
  if (program().ended()) return;
  impl_->fit();
  web::bring_to_front(*impl_);
  impl_->focus_first();
  // Hiding the window ends the wait; shown again by a handler meanwhile, it goes on waiting.
  Impl& window = *impl_;
  run_until([&window] { return !window.shown; });
}

void Window::show_again() {
  if (program().ended()) return;
  impl_->fit();
  web::bring_to_front(*impl_);
  if (impl_->focused) {
    lv_focus(impl_->focused, 0);
  } else {
    impl_->focus_first();
  }
}

void Window::hide() {
  if (!impl_->shown) return;
  impl_->focused = lv_focused_element(impl_->element);
  impl_->shown = false;
  lv_window_hide(impl_->element);
  if (impl_->keeps_screen_on) lv_keep_screen_on(0);
}

bool Window::visible() const {
  return impl_->shown;
}
std::string Window::caption() const {
  return impl_->caption;
}
const std::string& Window::name() const {
  return impl_->name;
}

void Window::keep_screen_on_while_shown() {
  impl_->keeps_screen_on = true;
  if (impl_->shown) lv_keep_screen_on(1);
}

}  // namespace lv::ui
