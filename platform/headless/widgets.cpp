// Windows and controls of the simulated desktop: they only remember what they are told.
#include <algorithm>

#include "platform/headless/desktop.h"
#include "platform/paced_timer.h"
#include "platform/program.h"

namespace lv::headless {

namespace {

std::unique_ptr<ui::Control::Impl> control_impl(ui::Window& window, std::string name,
                                                ui::Twips place, std::string text, bool visible) {
  auto impl = std::make_unique<ui::Control::Impl>();
  impl->window = &window;
  impl->name = std::move(name);
  impl->place = place;
  impl->text = std::move(text);
  impl->visible = visible;
  return impl;
}

void erase_from_stack(const ui::Window& window) {
  auto& stack = desktop().stack;
  stack.erase(std::remove(stack.begin(), stack.end(), &window), stack.end());
}

}  // namespace

ui::Window* window_on_top() {
  const auto& stack = desktop().stack;
  const auto top =
      std::find_if(stack.rbegin(), stack.rend(), [](const ui::Window* w) { return w->visible(); });
  return top == stack.rend() ? nullptr : *top;
}

void refocus(ui::Window& window) {
  ui::Control*& focus = window.impl().focus;
  if (focus && ui::program().takes_focus(*focus)) return;
  focus = ui::program().next_to_focus(window, focus);
}

}  // namespace lv::headless

namespace lv::ui {

Window::Window(std::string name, std::string caption, Twips client_size, Background background)
    : impl_(std::make_unique<Impl>()) {
  impl_->name = std::move(name);
  impl_->caption = std::move(caption);
  impl_->client_size = client_size;
  impl_->background = background;
  program().add(*this);
}

Window::~Window() {
  headless::erase_from_stack(*this);
  program().remove(*this);
}

// As the desktops' toolkits do, the first control takes the focus, a field with its text selected.
void Window::show_modal() {
  refuse_to_wait_in_a_tick();
  if (program().ended()) return;
  impl_->focus = program().first_to_focus(*this);
  if (impl_->focus && program().kind(*impl_->focus) == ControlKind::edit_field) {
    impl_->focus->impl().text_selected = true;
  }
  show_again();
}

void Window::show_again() {
  if (program().ended()) return;
  headless::erase_from_stack(*this);
  headless::desktop().stack.push_back(this);  // on top
  impl_->visible = true;
  impl_->modal = true;
  headless::refocus(*this);
}

void Window::keep_screen_on_while_shown() {
  impl_->keeps_screen_on = true;
}

void Window::hide() {
  impl_->visible = false;
  impl_->modal = false;
}

bool Window::visible() const {
  return impl_->visible;
}
std::string Window::caption() const {
  return impl_->caption;
}
const std::string& Window::name() const {
  return impl_->name;
}

Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Control::~Control() {
  Window::Impl& window = impl_->window->impl();
  if (window.focus == this) window.focus = nullptr;
  program().remove(*this);
}

void Control::set_visible(bool visible) {
  impl_->visible = visible;
  headless::refocus(*impl_->window);
}

bool Control::visible() const {
  return impl_->visible;
}
const std::string& Control::name() const {
  return impl_->name;
}

Label::Label(Window& window, std::string name, Twips place, std::string text, bool visible)
    : Control(headless::control_impl(window, std::move(name), place, std::move(text), visible)) {
  program().add(*this, window, ControlKind::label);
}
void Label::set_text(const std::string& text) {
  impl().text = text;
}
std::string Label::text() const {
  return impl().text;
}
void Label::set_font(const Font& font) {
  impl().font = font;
}
void Label::set_alignment(Align align) {
  impl().align = align;
}

EditField::EditField(Window& window, std::string name, Twips place)
    : Control(headless::control_impl(window, std::move(name), place, {}, true)) {
  program().add(*this, window, ControlKind::edit_field);
}
void EditField::set_text(const std::string& text) {
  impl().text = text;
  impl().text_selected = false;
}
std::string EditField::text() const {
  return impl().text;
}
void EditField::focus_with_text_selected() {
  impl().window->impl().focus = this;
  impl().text_selected = true;
}

Button::Button(Window& window, std::string name, Twips place, std::string caption)
    : Control(headless::control_impl(window, std::move(name), place, std::move(caption), true)) {
  program().add(*this, window, ControlKind::button);
}
std::string Button::caption() const {
  return impl().text;
}

PictureBox::PictureBox(Window& window, std::string name, Twips place, std::string picture,
                       bool visible)
    : Control(headless::control_impl(window, std::move(name), place, std::move(picture), visible)) {
  program().add(*this, window, ControlKind::picture_box);
}

}  // namespace lv::ui
