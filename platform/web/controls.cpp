#include <cctype>
#include <vector>

#include "platform/web/web_backend.h"

namespace lv::web {

namespace {

// The caption without its "&" and the index of the letter it marked, or -1 ("&&" is an "&").
std::pair<std::string, int> without_mnemonic(const std::string& caption) {
  std::string text;
  int mnemonic = -1;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != '&' && mnemonic < 0) mnemonic = static_cast<int>(text.size());
    }
    text += caption[i];
  }
  return {text, mnemonic};
}

std::unique_ptr<ui::Control::Impl> make_control(ui::Window& window, lv_control_kind kind,
                                                std::string name, ui::Twips place,
                                                const std::string& text, bool visible) {
  auto control = std::make_unique<ui::Control::Impl>();
  ui::Window::Impl& owner = window.impl();
  control->window = &owner;
  control->kind = kind;
  control->name = std::move(name);
  control->place = place;
  control->visible = visible;
  int mnemonic = -1;
  std::string shown = text;
  if (kind == lv_button) {
    std::tie(shown, mnemonic) = without_mnemonic(text);
    if (mnemonic >= 0) {
      control->mnemonic = static_cast<char>(
          std::tolower(static_cast<unsigned char>(shown[static_cast<std::size_t>(mnemonic)])));
    }
  }
  if (kind == lv_label) control->text = text;
  control->element =
      lv_control_create(owner.element, kind, control->name.c_str(), shown.c_str(), mnemonic);
  lv_control_show(control->element, visible);
  control->lay_out(owner.layout_dpi);
  owner.controls.push_back(control.get());
  return control;
}

}  // namespace

}  // namespace lv::web

namespace lv::ui {

Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Control::~Control() {
  auto& controls = impl_->window->controls;
  controls.erase(std::remove(controls.begin(), controls.end(), impl_.get()), controls.end());
}

void Control::set_visible(bool visible) {
  impl_->visible = visible;
  lv_control_show(impl_->element, visible);
}
bool Control::visible() const {
  return impl_->visible;
}
const std::string& Control::name() const {
  return impl_->name;
}

Label::Label(Window& window, std::string name, Twips place, std::string text, bool visible)
    : Control(web::make_control(window, lv_label, std::move(name), place, text, visible)) {}

void Label::set_text(const std::string& text) {
  if (text == impl().text) return;
  impl().text = text;
  lv_set_text(impl().element, text.c_str());
}
std::string Label::text() const {
  return impl().text;
}
void Label::set_font(const Font& font) {
  impl().font = font;
  impl().lay_out(impl().window->layout_dpi);
}
void Label::set_alignment(Align align) {
  lv_control_centre(impl().element, align == Align::centre);
}

// Named after the static text created just before it.
EditField::EditField(Window& window, std::string name, Twips place)
    : Control(web::make_control(window, lv_edit, std::move(name), place, "", true)) {
  const auto& controls = impl().window->controls;
  if (controls.size() >= 2) {
    const Impl* before = controls[controls.size() - 2];
    if (before->kind == lv_label) lv_label_for(before->element, impl().element);
  }
}
void EditField::set_text(const std::string& text) {
  lv_set_text(impl().element, text.c_str());
}
std::string EditField::text() const {
  std::vector<char> text(lv_text_size(impl().element) + 1);
  lv_copy_text(impl().element, text.data(), text.size());
  return std::string(text.data(), text.size() - 1);
}
void EditField::focus_with_text_selected() {
  lv_focus(impl().element, 1);
}

Button::Button(Window& window, std::string name, Twips place, std::string caption)
    : Control(web::make_control(window, lv_button, std::move(name), place, caption, true)) {
  impl().on_click = &on_click;
  impl().text = std::move(caption);
}
std::string Button::caption() const {
  return impl().text;
}

PictureBox::PictureBox(Window& window, std::string name, Twips place, std::string picture,
                       bool visible)
    : Control(web::make_control(window, lv_picture, std::move(name), place, picture, visible)) {}

}  // namespace lv::ui
