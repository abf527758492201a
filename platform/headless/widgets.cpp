// Windows, controls and timers of the simulated desktop: they only remember what they are told.
#include <algorithm>

#include "platform/headless/desktop.h"

namespace lv::ui {

namespace {

template <typename T>
void erase_from(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

std::unique_ptr<Control::Impl> make_control(ControlKind kind, Window& window, std::string name,
                                            Twips place, std::string text, bool visible) {
  auto impl = std::make_unique<Control::Impl>();
  impl->kind = kind;
  impl->window = &window.impl();
  impl->name = std::move(name);
  impl->place = place;
  impl->text = std::move(text);
  impl->visible = visible;
  return impl;
}

}  // namespace

Window::Window(std::string name, std::string caption, Twips client_size, Background background)
    : impl_(std::make_unique<Impl>()) {
  impl_->name = std::move(name);
  impl_->caption = std::move(caption);
  impl_->client_size = client_size;
  impl_->background = background;
  headless::desktop().windows.push_back(impl_.get());
}

Window::~Window() {
  erase_from(headless::desktop().windows, impl_.get());
}

void Window::show_modal() {
  if (headless::desktop().ended) return;
  impl_->focus = nullptr;  // the first control that takes it gets it
  show_again();
}

void Window::show_again() {
  if (headless::desktop().ended) return;
  auto& windows = headless::desktop().windows;
  erase_from(windows, impl_.get());
  windows.push_back(impl_.get());  // on top
  impl_->visible = true;
  impl_->modal = true;
  headless::refocus(*impl_);
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

Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
  impl_->window->controls.push_back(this);
}

Control::~Control() {
  Window::Impl& window = *impl_->window;
  erase_from(window.controls, this);
  if (window.focus == this) window.focus = nullptr;
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
    : Control(make_control(ControlKind::label, window, std::move(name), place, std::move(text),
                           visible)) {}
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
    : Control(make_control(ControlKind::edit_field, window, std::move(name), place, {}, true)) {}
void EditField::set_text(const std::string& text) {
  impl().text = text;
  impl().text_selected = false;
}
std::string EditField::text() const {
  return impl().text;
}
void EditField::focus_with_text_selected() {
  impl().window->focus = this;
  impl().text_selected = true;
}

Button::Button(Window& window, std::string name, Twips place, std::string caption)
    : Control(make_control(ControlKind::button, window, std::move(name), place, std::move(caption),
                           true)) {}
std::string Button::caption() const {
  return impl().text;
}

PictureBox::PictureBox(Window& window, std::string name, Twips place, std::string picture,
                       bool visible)
    : Control(make_control(ControlKind::picture_box, window, std::move(name), place,
                           std::move(picture), visible)) {}

Timer::Timer(Window&, std::string name, int interval_ms, bool running)
    : impl_(std::make_unique<Impl>()) {
  impl_->self = this;
  impl_->name = std::move(name);
  impl_->interval = interval_ms;
  headless::desktop().timers.push_back(impl_.get());
  if (running) start();
}

Timer::~Timer() {
  erase_from(headless::desktop().timers, impl_.get());
}

void Timer::set_interval(int interval_ms) {
  impl_->interval = interval_ms;
  // As on the real toolkits, a new interval restarts a running timer's schedule.
  if (impl_->running) start();
}

int Timer::interval() const {
  return impl_->interval;
}

void Timer::start() {
  if (headless::desktop().ended) return;
  impl_->running = true;
  impl_->due = headless::desktop().now + std::max(impl_->interval, 1);
}

void Timer::stop() {
  impl_->running = false;
}
bool Timer::running() const {
  return impl_->running;
}
const std::string& Timer::name() const {
  return impl_->name;
}

}  // namespace lv::ui
