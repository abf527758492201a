#include "platform/mnemonic.h"
#include "platform/web/web_backend.h"

namespace lv::web {

namespace {

std::unique_ptr<ui::Control::Impl> make_control(ui::Window& window, lv_control_kind kind,
                                                std::string name, ui::Twips place,
                                                const std::string& text, bool visible) {
  auto control = std::make_unique<ui::Control::Impl>();
  control->window = &window;
  control->name = std::move(name);
  control->place = place;
  control->visible = visible;
  control->text = text;
  // A button shows its caption without the "&", its Alt letter underlined.
  const ui::Mnemonic caption = ui::read_mnemonic(text);
  const bool button = kind == lv_button;
  control->element =
      lv_control_create(window.impl().element, kind, control->name.c_str(),
                        button ? caption.text.c_str() : text.c_str(), button ? caption.index : -1);
  lv_control_show(control->element, visible);
  control->lay_out(window.impl().layout_dpi);
  return control;
}

}  // namespace

}  // namespace lv::web

namespace lv::ui {

Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Control::~Control() {
  program().remove(*this);
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
    : Control(web::make_control(window, lv_label, std::move(name), place, text, visible)) {
  program().add(*this, window, ControlKind::label);
}

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
  impl().lay_out(impl().window->impl().layout_dpi);
}
void Label::set_alignment(Align align) {
  lv_control_centre(impl().element, align == Align::centre);
}

// Named after the static text created just before it.
EditField::EditField(Window& window, std::string name, Twips place)
    : Control(web::make_control(window, lv_edit, std::move(name), place, "", true)) {
  const std::vector<Control*> before = program().controls(window);
  program().add(*this, window, ControlKind::edit_field);
  if (!before.empty() && program().kind(*before.back()) == ControlKind::label) {
    lv_label_for(before.back()->impl().element, impl().element);
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
  program().add(*this, window, ControlKind::button);
}
std::string Button::caption() const {
  return impl().text;
}

PictureBox::PictureBox(Window& window, std::string name, Twips place, std::string picture,
                       bool visible)
    : Control(web::make_control(window, lv_picture, std::move(name), place, picture, visible)) {
  program().add(*this, window, ControlKind::picture_box);
}

}  // namespace lv::ui
